#include "acquisition/Updates.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "platform/Text.h"

#include <cstdio>

namespace orv {

ReleaseCheck::ReleaseCheck(UrlReader read, PageOpener open, QString serverBase)
    : read_(std::move(read)), open_(std::move(open)), base_(std::move(serverBase))
{
}

double ReleaseCheck::publishedRelease(const QByteArray &list)
{
    // Only the first line counts: "72" above a line "5" is 72, not 725.
    const QStringList lines = text::splitLinesAny(text::decode(list));
    if (lines.isEmpty())
        return 0;
    const QString line = lines.first().trimmed();
    qsizetype end = 0;
    if (end < line.size() && (line[end] == QLatin1Char('+') || line[end] == QLatin1Char('-')))
        ++end;
    const qsizetype digitsFrom = end;
    while (end < line.size() && line[end].isDigit() && line[end].unicode() < 0x80)
        ++end;
    if (end < line.size() && line[end] == QLatin1Char('.')) {
        ++end;
        while (end < line.size() && line[end].isDigit() && line[end].unicode() < 0x80)
            ++end;
    }
    if (end - digitsFrom < 1 || (end - digitsFrom == 1 && line[digitsFrom] == QLatin1Char('.')))
        return 0;
    bool ok = false;
    const double value = line.left(end).toDouble(&ok);
    return ok ? value : 0;
}

bool ReleaseCheck::newerThan(double current)
{
    const std::optional<QByteArray> list = read_(base_ + QStringLiteral("/orvento/codes/release.txt"));
    published_ = list ? publishedRelease(*list) : 0;
    return current < published_;
}

void ReleaseCheck::announce()
{
    const QString page = base_ + QStringLiteral("/orvento/");
    if (AvvioDownload || Prompt::unattended()) {
        std::fprintf(stderr, "Orvento: nuova versione disponibile (%s): %s\n",
                     qUtf8Printable(QString::number(published_)), qUtf8Printable(page));
        return;
    }
    Prompt::message(Lingua[175], Lingua[176], Buttons::Ok, Icon::Critical);
    open_(page);
}

bool ReleaseCheck::run(double current)
{
    if (!newerThan(current))
        return false;
    announce();
    return true;
}

void CERCA_AGGIORNAMENTI()
{
    mainWindow().waitShow(QStringLiteral("Orvento"), QStringLiteral("Ricerca Upgrade e Nuove Versioni..."));
    ReleaseCheck check(serverUrlReader(), [](const QString &url) { shell::open(url); }, serverBase());
    // The number as the program writes it and reads it back: 72.
    const bool newer = check.newerThan(QString::number(VersioneProgramma).toDouble());
    // The wait is over before the notice, which may stay open a long time.
    mainWindow().waitClose();
    if (newer)
        check.announce();
}

} // namespace orv
