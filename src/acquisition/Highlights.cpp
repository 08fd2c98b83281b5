#include "acquisition/Highlights.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Store.h"
#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>
#include <filesystem>

namespace orv {

namespace {

const QString HighlightsFolder = QStringLiteral("highlights");
const QString ChannelFolder = QStringLiteral("tv");
const QString LogoFolder = QStringLiteral("loghitv");
const QString HighlightsPath = QStringLiteral("/orvento/database2/highlights/");
const QString ChannelPath = QStringLiteral("/orvento/database2/palinsesti/");

void connectionFailure(const QString &tag)
{
    Prompt::message(QStringLiteral("Errore Nel Collegamento internet con il Server... Sei CONNESSO?(%1)\r\n\r\n"
                                   "Assicurati di non avere FIREWALL che bloccano l'accesso ED assicurati che "
                                   "Internet Explorer sia in modalita IN LINEA")
                        .arg(tag));
}

void listMissing()
{
    Prompt::message(QStringLiteral("Download dal server fallito, per favore riprova\r\n\r\n"
                                   "Se l'errore persiste per favore contatta l'assistenza tecnica"));
}

// Replaces target with the finished download in one step where the file
// system allows it, so a reader never sees half a file.
bool moveInto(const QString &part, const QString &target)
{
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(part).toStdString(), QFile::encodeName(target).toStdString(), ec);
    if (!ec)
        return true;
    QByteArray data;
    const bool ok = files::readAll(part, data) && files::writeAtomically(target, data);
    QFile::remove(part);
    return ok;
}

} // namespace

ListDownload::ListDownload(ListDownloadView &view, FileFetcher fetch, QString serverBase)
    : view_(view), fetch_(std::move(fetch)), base_(std::move(serverBase))
{
}

QStringList ListDownload::readList(const QString &file)
{
    QByteArray bytes;
    if (!files::readAll(file, bytes))
        return {};
    QStringList names;
    for (const QString &line : text::splitLinesAny(text::decode(bytes))) {
        const QString name = line.trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

QString ListDownload::url(const QString &path) const { return base_ + path; }

bool ListDownload::fetchInto(const QString &url, const QString &target)
{
    // One file at a time arrives here; a listed name of any length fits.
    const QString part = appPath(QStringLiteral("TempDir")) + QStringLiteral("/scaricamento.part");
    for (int attempt = 0; attempt < 2; ++attempt) {
        QFile::remove(part);
        if (fetch_(url, part) && QFileInfo(part).isFile() && moveInto(part, target))
            return true;
    }
    QFile::remove(part);
    return false;
}

QString ListDownload::targetFor(const QString &folder, const QString &name)
{
    if (!files::isPlainFileName(name)) {
        report_.unusable << name;
        std::fprintf(stderr, "Orvento: nome di file non valido nella lista del server, ignorato: %s\n",
                     qUtf8Printable(name));
        return {};
    }
    const QString dir = appPath(folder);
    const QString target = files::resolve(dir, name);
    // A folder of that name (say "restanti") is not a page to overwrite.
    const QFileInfo info(target);
    if (QFileInfo(info.absolutePath()) != QFileInfo(dir) || (info.exists() && !info.isFile())) {
        report_.unusable << name;
        return {};
    }
    return target;
}

bool ListDownload::present(const QString &folder, const QString &name)
{
    return QFileInfo(appPath(folder + QLatin1Char('/') + name)).isFile() ||
           QFileInfo(appPath(folder + QStringLiteral("/restanti/") + name)).isFile();
}

void ListDownload::makeFolders(const QString &folder)
{
    QDir().mkpath(appPath(folder + QStringLiteral("/restanti")));
    QDir().mkpath(appPath(QStringLiteral("TempDir")));
}

void ListDownload::giveUp(const QString &tag, const QString &status)
{
    connectionFailure(tag);
    Annulla = true;
    view_.setStatus(status);
    view_.setStopEnabled(false);
    view_.processEvents();
}

QString ListDownload::unusableSummary() const
{
    if (report_.unusable.isEmpty())
        return {};
    return QStringLiteral("Nomi di file non validi ignorati: ") + report_.unusable.join(QStringLiteral(", "));
}

ListDownload::Step ListDownload::fetchListed(const Source &source,
                                             const std::function<bool(const QString &name)> &afterFile)
{
    view_.setStatus(QStringLiteral("Collegamento con il server in corso..."));
    view_.setCaption(source.caption);
    view_.processEvents();
    view_.setStopEnabled(true);
    makeFolders(source.folder);

    const QString list = appPath(QStringLiteral("TempDir/") + source.listFile);
    if (!fetchInto(url(source.serverPath + QStringLiteral("lista.txt")), list)) {
        giveUp(source.listTag, source.listInterrupted);
        return Step::ListFailed;
    }
    if (!QFileInfo(list).isFile()) {
        listMissing();
        return Step::ListMissing;
    }

    // A Stop pressed during the listings cycle must not stop this download.
    InterrompiCiclo = false;
    for (const QString &name : readList(list)) {
        if (InterrompiCiclo)
            break;
        const QString target = targetFor(source.folder, name);
        if (target.isEmpty() || present(source.folder, name))
            continue;
        view_.setStatus(source.fetching);
        view_.processEvents();
        if (source.nameInStatusBar) {
            mainWindow().writeStatus(1, name);
            view_.processEvents();
        }
        if (!fetchInto(url(source.serverPath + QString::fromLatin1(QUrl::toPercentEncoding(name))), target)) {
            giveUp(source.fileTag, source.fileInterrupted);
            return Step::FileFailed;
        }
        report_.fetched << name;
        if (!afterFile(name))
            return Step::AfterFileFailed;
    }
    return Step::Completed;
}

HighlightsDownload::Result HighlightsDownload::run()
{
    const Source source{QStringLiteral("Scaricamento Nuovi HighLights"),
                        HighlightsFolder,
                        HighlightsPath,
                        QStringLiteral("listah.txt"),
                        QStringLiteral("H1"),
                        QStringLiteral("Download Nuovi HIGHLIGHTS Interrotto."),
                        QStringLiteral("Download Nuovi HIghlights..."),
                        true,
                        QStringLiteral("5"),
                        QStringLiteral("Download Highlights Interrotto.")};
    switch (fetchListed(source, [this](const QString &) {
        view_.processEvents();
        return true;
    })) {
    case Step::ListFailed:
        return Result::ListFailed;
    case Step::ListMissing:
        return Result::ListMissing;
    case Step::FileFailed:
    case Step::AfterFileFailed:
        return Result::PageFailed;
    case Step::Completed:
        break;
    }

    mainWindow().writeStatus(1, unusableSummary());
    view_.setStatus(QStringLiteral("Download highlights completato con successo."));
    view_.processEvents();
    view_.setStopEnabled(false);
    mainWindow().CARICA_HIGHLIGHTS();
    return Result::Completed;
}

QString ChannelFilesDownload::channelOf(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return (dot > 0 ? fileName.left(dot) : fileName).trimmed();
}

qint32 ChannelFilesDownload::channelCode(const QString &channel)
{
    if (channel.isEmpty())
        return 0;
    try {
        Database db = Database::open(PercorsoPalinsesti);
        const auto row = TelevisioniTable(db).byName(channel);
        return row ? row->IDTV : 0;
    } catch (const DbError &e) {
        std::fprintf(stderr, "Orvento: lettura del codice di %s: %d %s\n", qUtf8Printable(channel), e.number(),
                     qUtf8Printable(e.text()));
        return 0;
    }
}

ChannelFilesDownload::Result ChannelFilesDownload::run()
{
    const QString interrupted = QStringLiteral("Download Nuovi Palinsesti Interrotto.");
    QDir().mkpath(appPath(LogoFolder));
    const Source source{QStringLiteral("Scaricamento Nuovi Palinsesti"),
                        ChannelFolder,
                        ChannelPath,
                        QStringLiteral("listap.txt"),
                        QStringLiteral("P1"),
                        interrupted,
                        QStringLiteral("Download Nuovo Palinsesto..."),
                        false,
                        QStringLiteral("P5"),
                        interrupted};
    // A file that names no known channel brings no logo.
    const auto fetchLogo = [this](const QString &name) {
        const qint32 code = channelCode(channelOf(name));
        if (code <= 0)
            return true;
        const QString logo = QString::number(code) + QStringLiteral(".gif");
        if (fetchInto(url(ChannelPath + logo), appPath(LogoFolder + QLatin1Char('/') + logo)))
            return true;
        giveUp(QStringLiteral("P6"), QStringLiteral("Download Nuovo Logo TV Interrotto."));
        return false;
    };
    switch (fetchListed(source, fetchLogo)) {
    case Step::ListFailed:
        return Result::ListFailed;
    case Step::ListMissing:
        return Result::ListMissing;
    case Step::FileFailed:
        return Result::FileFailed;
    case Step::AfterFileFailed:
        return Result::LogoFailed;
    case Step::Completed:
        break;
    }

    const QString skipped = unusableSummary();
    if (!skipped.isEmpty())
        mainWindow().writeStatus(1, skipped);
    view_.setStatus(QStringLiteral("Download Nuovi Palinsesti completato con successo."));
    view_.processEvents();
    view_.setStopEnabled(false);
    mainWindow().LOAD_TV();
    return Result::Completed;
}

} // namespace orv
