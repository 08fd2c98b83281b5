#include "acquisition/FrmProxyDown.h"

#include "acquisition/ProxyDownloader.h"
#include "acquisition/UrlCopy.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "platform/Prompt.h"

#include <QEventLoop>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace orv {

namespace {

QString statusText(int code)
{
    switch (code) {
    case 1: return QStringLiteral("Finding resource");
    case 2: return QStringLiteral("connecting");
    case 4: return QStringLiteral("Begin download");
    case 5: return QStringLiteral("Downloading...");
    case 6: return QStringLiteral("download complete");
    case 11: return QStringLiteral("Sending request");
    case 13: return QStringLiteral("MIME type");
    default: return QString();
    }
}

QString stateText(int code)
{
    static const char *texts[] = {"No state information available",
                                  "Looking up IP address for remote server",
                                  "Found IP Address for remote server",
                                  "Connecting to remote server",
                                  "Connected to remote server",
                                  "Requesting information from remote server",
                                  "Request sent successfully to remote server",
                                  "Receiving response from remote server",
                                  "Response received from remote server",
                                  "Disconnecting from remote server",
                                  "Disconnected from remote server",
                                  "Error communicating with remote server"};
    return code >= 0 && code <= 11 ? QString::fromLatin1(texts[code]) : QString();
}

QString hms(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

FrmProxyDown::FrmProxyDown()
{
    setWindowTitle(QStringLiteral("Proxy Download"));
    DownCTL = new ProxyDownloader(this);
    lblBYTES = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(QStringLiteral("Activated"), this);
    lblHeader = new QLabel(this);
    lblTime = new QLabel(this);
    chkPrg = new QLabel(this);
    TxtURL = new QLineEdit(this);
    TxtFile = new QLineEdit(this);
    for (auto &box : txtProxy)
        box = new QLineEdit(this);
    Command1 = new QPushButton(QStringLiteral("Inizializza"), this);
    Command2 = new QPushButton(QStringLiteral("Download"), this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("URL :"), this), 0, 0);
    grid->addWidget(TxtURL, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("File :"), this), 1, 0);
    grid->addWidget(TxtFile, 1, 1, 1, 3);
    for (int i = 0; i < 4; ++i)
        grid->addWidget(txtProxy[size_t(i)], 2, i);
    grid->addWidget(lblHeader, 3, 0, 1, 4);
    grid->addWidget(lblTime, 4, 0, 1, 2);
    grid->addWidget(lblBYTES, 4, 2);
    grid->addWidget(chkPrg, 4, 3);
    grid->addWidget(Label2, 5, 0, 1, 2);
    grid->addWidget(Label3, 5, 2, 1, 2);
    grid->addWidget(Command1, 6, 0, 1, 2);
    grid->addWidget(Command2, 6, 2, 1, 2);

    connect(Command1, &QPushButton::clicked, this, &FrmProxyDown::INIZIALIZZA);
    connect(Command2, &QPushButton::clicked, this, &FrmProxyDown::Command2_Click);
    connect(DownCTL, &ProxyDownloader::readComplete, this, [] {
        Prompt::message(QStringLiteral("async read complete"));
    });
    connect(DownCTL, &ProxyDownloader::progress, this, &FrmProxyDown::onProgress);
    connect(DownCTL, &ProxyDownloader::error, this, &FrmProxyDown::onError);
    connect(DownCTL, &ProxyDownloader::completed, this, &FrmProxyDown::onCompleted);
    connect(DownCTL, &ProxyDownloader::stateChanged, this, &FrmProxyDown::onStateChanged);
}

FrmProxyDown::~FrmProxyDown()
{
    if (completed_) {
        Label2->setText(QStringLiteral("Completed"));
    } else if (!errorText_.isEmpty()) {
        Label2->setText(QStringLiteral("Error : ") + errorText_);
        ProxyErrore = true;
        ProxyOccupato = false;
    } else {
        Label2->setText(QStringLiteral("Stopped"));
    }
    DownCTL->disconnect(this);
    DownCTL->cancel();
    // A caller still waiting must not wait for a window that is gone.
    ProxyOccupato = false;
}

const net::FetchResult &FrmProxyDown::lastResult() const { return DownCTL->lastResult(); }

void FrmProxyDown::INIZIALIZZA()
{
    lblHeader->setText(QStringLiteral("Refreshing Proxy Connection"));
    const net::ProxySettings proxy{true, ProxyName, ProxyPort, ProxyUser, ProxyPass};
    QByteArray page;
    const net::FetchResult r = net::readUrl(serverBase() + QStringLiteral("/orvento/"), page, proxy, TransferTimeoutMs);
    if (r.ok()) {
        lblHeader->setText(QStringLiteral("Connected"));
        return;
    }
    // A failed test must not read "Connected".
    lblHeader->setText(r.error);
    Prompt::message(QString::number(r.httpStatus) + r.error, QString(), Buttons::Ok, Icon::None);
}

void FrmProxyDown::StartDownload(const QString &FileName, const QString &URL, net::OnFailure onFailure)
{
    target_ = FileName;
    lblBYTES->clear();
    previousBytes_ = 0;
    timing_ = false;
    if (ProxyDownloader::protocolOf(URL) == 2)
        ftp_ = true;
    DownCTL->setUrl(URL);
    if (UsaProxy)
        DownCTL->setProxy(ProxyName, ProxyPort, ProxyUser, ProxyPass);
    else
        DownCTL->setProxy(QString(), QString(), QString(), QString());
    DownCTL->setTimeoutMs(TransferTimeoutMs);
    DownCTL->setTargetFile(FileName, onFailure);
    DownCTL->start();
}

void FrmProxyDown::Progress(qint64 BytesRead, qint64 BytesMax, const QString &StatusText, qint32, qint32)
{
    lblHeader->setText(StatusText.isEmpty() ? QStringLiteral("Busy Processing...Please wait") : StatusText);
    lblBYTES->setText(QString::number(BytesRead));
    if (BytesRead > 1000000)
        lblTime->setText(QStringLiteral("Downloaded : ") + QString::number(BytesRead / 1000000.0, 'f', 2) +
                         QStringLiteral("mb"));
    else if (BytesRead > 1000)
        lblTime->setText(QStringLiteral("Downloaded : ") + QString::number(BytesRead / 1000.0, 'f', 2) +
                         QStringLiteral(" kb"));
    else
        lblTime->setText(QStringLiteral("Downloaded : %1 bytes").arg(BytesRead));
    int percent = 0;
    if (BytesMax != 0) {
        percent = int(std::clamp<qint64>(BytesRead * 100 / BytesMax, 0, 100));
        chkPrg->setText(percent > 30 ? QStringLiteral("%1% Completed").arg(percent) : QStringLiteral("%1%").arg(percent));
        // Timed from the first sized notification of this transfer.
        if (!timing_) {
            timing_ = true;
            start_ = QDateTime::currentDateTime();
        } else if (percent > 0) {
            const qint64 elapsed = start_.msecsTo(QDateTime::currentDateTime());
            const qint64 remaining = elapsed * 100 / percent - elapsed;
            lblTime->setText(QStringLiteral("Time Remaining : ") + hms(remaining / 1000));
        }
    }
    if (ftp_) {
        if (++ftpStep_ > 1000)
            ftpStep_ = 0;
        percent = ftpStep_ / 10;
    }
    chkPrg->setFixedWidth(qMax(1, percent));
}

void FrmProxyDown::Command2_Click()
{
    QFile::remove(TxtFile->text());
    Label2->clear();
    Label3->clear();
    StartDownload(TxtFile->text(), TxtURL->text());
}

void FrmProxyDown::onProgress(int status, qint64 bytesRead, qint64 bytesMax)
{
    const qint64 delta = bytesRead - previousBytes_;
    Progress(bytesRead, bytesMax, statusText(status), 0, qint32(delta));
    previousBytes_ = bytesRead;
}

void FrmProxyDown::onError(const QString &text)
{
    Label2->setText(QStringLiteral("Error : ") + text);
    errorText_ = text;
    ProxyErrore = true;
    ProxyOccupato = false;
    emit transferEnded();
}

void FrmProxyDown::onCompleted()
{
    completed_ = true;
    ProxyOccupato = false;
    emit transferEnded();
}

void FrmProxyDown::onStateChanged(int state)
{
    const QString text = stateText(state);
    if (!text.isEmpty())
        lblHeader->setText(text);
}

void waitForProxyTransfer(FrmProxyDown &window)
{
    if (!ProxyOccupato)
        return;
    QEventLoop loop;
    QObject::connect(&window, &FrmProxyDown::transferEnded, &loop, &QEventLoop::quit);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (ProxyOccupato)
        loop.exec();
}

} // namespace orv
