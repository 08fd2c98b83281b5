#include "core/Language.h"

#include "core/AppState.h"
#include "core/Settings.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Text.h"

#include <QFileInfo>

namespace orv {

namespace {

struct ReadPastEnd {};

// Reads the decoded file front to back: header items as comma-delimited
// fields, then whole lines.
class LanguageReader {
public:
    explicit LanguageReader(const QString &text) : s_(text) {}

    void skipItem()
    {
        if (atEnd())
            throw ReadPastEnd{};
        while (!atEnd() && (s_[pos_] == QLatin1Char(' ') || s_[pos_] == QLatin1Char('\t')))
            ++pos_;
        if (!atEnd() && s_[pos_] == QLatin1Char('"')) {
            // A quoted item may hold commas and line ends up to its closing quote.
            const qsizetype close = s_.indexOf(QLatin1Char('"'), pos_ + 1);
            pos_ = close < 0 ? s_.size() : close + 1;
        }
        while (!atEnd() && s_[pos_] != QLatin1Char(',') && !atLineEnd())
            ++pos_;
        if (!atEnd() && s_[pos_] == QLatin1Char(','))
            ++pos_;
        else
            skipLineEnd();
    }

    QString readLine()
    {
        if (atEnd())
            throw ReadPastEnd{};
        const qsizetype start = pos_;
        while (!atEnd() && !atLineEnd())
            ++pos_;
        QString line = s_.mid(start, pos_ - start);
        skipLineEnd();
        return line;
    }

private:
    bool atEnd() const { return pos_ >= s_.size(); }
    bool atLineEnd() const { return s_[pos_] == QLatin1Char('\r') || s_[pos_] == QLatin1Char('\n'); }
    void skipLineEnd()
    {
        if (atEnd())
            return;
        if (s_[pos_] == QLatin1Char('\r') && pos_ + 1 < s_.size() && s_[pos_ + 1] == QLatin1Char('\n'))
            pos_ += 2;
        else if (atLineEnd())
            ++pos_;
    }

    const QString &s_;
    qsizetype pos_ = 0;
};

LanguageFile failed(int number, const QString &text)
{
    LanguageFile f;
    f.errorNumber = number;
    f.errorText = text;
    return f;
}

const QString NotFound = QStringLiteral("Impossibile trovare il file");
const QString AccessError = QStringLiteral("Errore di accesso al percorso/file");

} // namespace

LanguageFile readLanguageFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failed(53, NotFound);
    QByteArray bytes;
    if (!info.isFile() || !files::readAll(path, bytes))
        return failed(75, AccessError);
    const QString text = text::decode(bytes);

    LanguageFile f;
    LanguageReader reader(text);
    try {
        for (int i = 0; i < LanguageHeaderItems; ++i)
            reader.skipItem();
        while (f.entries.size() < LanguageEntries)
            f.entries.append(reader.readLine().mid(LanguageTextColumn - 1, LanguageTextMax));
    } catch (const ReadPastEnd &) {
        f.errorNumber = 62;
        f.errorText = QStringLiteral("Input oltre la fine del file");
    }
    return f;
}

void CARICA_LINGUA()
{
    LanguageFile f;
    if (language.trimmed().isEmpty())
        f = failed(75, AccessError); // no name: the folder itself, not a file
    else if (!files::isPlainFileName(language))
        f = failed(53, NotFound); // a language file lies in its folder, nowhere else
    else
        f = readLanguageFile(appPath(QStringLiteral("\\languages\\") + language));

    for (int i = 0; i < int(Lingua.size()); ++i)
        Lingua[i] = i < f.entries.size() ? f.entries[i] : QString();
    if (f.errorNumber == 0)
        return;

    Prompt::message(QString::number(f.errorNumber) + QLatin1Char(' ') + f.errorText);
    const LanguageFile italian = readLanguageFile(appPath(QStringLiteral("\\languages\\Italiano.ini")));
    for (qsizetype i = f.entries.size(); i < italian.entries.size(); ++i)
        Lingua[i] = italian.entries[i];
}

} // namespace orv
