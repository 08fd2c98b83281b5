#include "acquisition/UrlCopy.h"

#include "acquisition/DownloadProgress.h"
#include "acquisition/FrmProxyDown.h"
#include "acquisition/ProxyDownloader.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "platform/Text.h"
#include "platform/Windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QUrl>
#include <cmath>

namespace orv {

namespace {

DownloadProgress *sink = nullptr;

net::ProxySettings noProxy() { return {}; }

// Scratch files are overwritten at every use; after a failed fetch the old
// one must not be read as if it had just arrived.
net::FetchResult refused(const QString &why)
{
    net::FetchResult r;
    r.error = why;
    return r;
}

net::OnFailure policyFor(const QString &fileName)
{
    const QString folder = QFileInfo(fileName).absolutePath();
    const QString scratch = QFileInfo(appPath(QStringLiteral("TempDir"))).absoluteFilePath();
    return QDir::cleanPath(folder).compare(QDir::cleanPath(scratch), Qt::CaseInsensitive) == 0
               ? net::OnFailure::Remove
               : net::OnFailure::KeepOld;
}

// One transfer through the proxy window, waiting for its end.
net::FetchResult proxyTransfer(FrmProxyDown &window, const QString &file, const QString &url, net::OnFailure policy)
{
    ProxyOccupato = true;
    ProxyErrore = false;
    QPointer<FrmProxyDown> alive(&window);
    window.DownCTL->setLimits(transferLimits(url, file));
    window.StartDownload(file, url, policy);
    waitForProxyTransfer(window);
    // The window may have been closed while we waited.
    return alive ? alive->lastResult() : refused(QStringLiteral("Trasferimento interrotto"));
}

// The throw-away fetch that precedes every proxy transfer; its outcome does
// not matter and it never touches the caller's file.
void throwAwayFetch(FrmProxyDown &window)
{
    const QString trash = appPath(QStringLiteral("TempDir/trash.txt"));
    proxyTransfer(window, trash, serverBase() + QStringLiteral("/trash.txt"), net::OnFailure::Remove);
    QFile::remove(trash);
}

net::FetchResult copyThroughProxy(const QString &url, const QString &fileName)
{
    if (ProxyOccupato)
        return refused(QStringLiteral("Un altro trasferimento tramite proxy e' in corso"));
    FrmProxyDown &window = Windows::get<FrmProxyDown>();
    window.TxtURL->setText(url);
    window.TxtFile->setText(fileName);
    throwAwayFetch(window);
    if (!Windows::loaded<FrmProxyDown>())
        return refused(QStringLiteral("Trasferimento interrotto"));
    const net::FetchResult r = proxyTransfer(window, fileName, url, policyFor(fileName));
    if (Windows::loaded<FrmProxyDown>()) {
        ByteFile = window.lblBYTES->text().toLongLong();
        ByteCiclo += ByteFile;
    }
    showTransferFigures();
    return r;
}

net::FetchResult copyDirect(const QString &url, const QString &fileName)
{
    ByteFile = 0;
    auto progress = [](qint64 received, qint64) {
        ByteCiclo += received - ByteFile;
        ByteFile = received;
        showTransferFigures();
    };
    return net::copyUrlToFile(url, fileName, noProxy(), progress, TransferTimeoutMs, policyFor(fileName),
                              transferLimits(url, fileName));
}

net::FetchResult copy(const QString &url, const QString &fileName)
{
    QCoreApplication::processEvents();
    if (url.trimmed().isEmpty() || fileName.isEmpty())
        return refused(QStringLiteral("Indirizzo o file mancante"));
    return UsaProxy ? copyThroughProxy(url, fileName) : copyDirect(url, fileName);
}

} // namespace

net::Limits transferLimits(const QString &url, const QString &fileName)
{
    constexpr qint64 KB = 1024, MB = 1024 * KB;
    static const QRegularExpression dayFile(QStringLiteral("/orvento/database2/\\d+/\\d{8}\\.txt$"));
    const QString path = QUrl(url.trimmed()).path();
    net::Limits limits;
    limits.deadlineMs = TransferDeadlineMs;
    if (dayFile.match(path).hasMatch()) {
        limits.maxBytes = 1 * MB; // a day is a few KB
        limits.wholeLines = true;
    } else if (path.startsWith(QLatin1String("/orvento/checks/")) || path.startsWith(QLatin1String("/orvento/codes/")) ||
               path.startsWith(QLatin1String("/orvento/scripts/")) || path.endsWith(QLatin1String("/lista.txt")) ||
               path.startsWith(QLatin1String("/orvento/database2/palinsesti/"))) {
        limits.maxBytes = 1 * MB; // also the channel files and logos
    } else if (QFileInfo(fileName).absolutePath().endsWith(QLatin1String("/covers"), Qt::CaseInsensitive)) {
        limits.maxBytes = 8 * MB;
    } else {
        limits.maxBytes = 16 * MB; // highlight and script pages
    }
    return limits;
}

void setDownloadProgress(DownloadProgress *s) { sink = s; }
DownloadProgress *downloadProgress() { return sink; }

QString kbytesText(qint64 bytes)
{
    qint64 whole = bytes / 1000;
    const qint64 rest = bytes % 1000;
    if (rest > 500 || (rest == 500 && whole % 2 != 0))
        ++whole;
    return QString::number(whole) + QStringLiteral(" KBytes");
}

int secondsBetween(const QTime &start, const QTime &now)
{
    if (!start.isValid() || !now.isValid())
        return 0;
    int s = start.secsTo(now);
    if (s < 0)
        s += 24 * 3600;
    return s;
}

std::optional<QString> rateText(qint64 cycleBytes, int seconds)
{
    if (seconds <= 0)
        return std::nullopt;
    const double rate = (double(cycleBytes) / 1000.0) / seconds;
    const qint64 cents = std::llround(rate * 100.0);
    const qint64 whole = cents / 100;
    // "####.00": no digit before the point when the whole part is 0.
    return (whole ? QString::number(whole) : QString()) + QStringLiteral(".%1").arg(cents % 100, 2, 10, QLatin1Char('0')) +
           QStringLiteral(" KByte/Sec");
}

void showTransferFigures(const QTime &now)
{
    if (!sink)
        return;
    sink->setFileBytes(kbytesText(ByteFile));
    sink->setCycleBytes(kbytesText(ByteCiclo));
    if (auto rate = rateText(ByteCiclo, secondsBetween(InizioCiclo, now)))
        sink->setRate(*rate);
}

net::FetchResult CopyURLToFile(const QString &url, const QString &fileName) { return copy(url, fileName); }

net::FetchResult COPIA_URL_SU_FILE(const QString &url, const QString &fileName) { return copy(url, fileName); }

net::FetchResult LEGGI_URL(const QString &url)
{
    TestoUrl.clear();
    QCoreApplication::processEvents();
    if (url.trimmed().isEmpty())
        return refused(QStringLiteral("Indirizzo mancante"));
    if (!UsaProxy) {
        QByteArray body;
        const net::FetchResult r = net::readUrl(url, body, noProxy(), TransferTimeoutMs, transferLimits(url, {}));
        if (r.ok())
            TestoUrl = text::decode(body);
        return r;
    }
    if (ProxyOccupato)
        return refused(QStringLiteral("Un altro trasferimento tramite proxy e' in corso"));
    FrmProxyDown &window = Windows::get<FrmProxyDown>();
    window.TxtURL->setText(url);
    window.TxtFile->clear();
    throwAwayFetch(window);
    if (!Windows::loaded<FrmProxyDown>())
        return refused(QStringLiteral("Trasferimento interrotto"));
    const QString scratch = appPath(QStringLiteral("TempDir/trash.txt"));
    const net::FetchResult r = proxyTransfer(window, scratch, url, net::OnFailure::Remove);
    InterrompiLettura = false;
    QFile f(scratch);
    if (r.ok() && f.open(QIODevice::ReadOnly))
        TestoUrl = text::decode(f.readAll());
    f.close();
    QFile::remove(scratch);
    return r;
}

} // namespace orv
