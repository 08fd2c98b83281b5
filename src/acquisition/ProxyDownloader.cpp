#include "acquisition/ProxyDownloader.h"

#include <QUrl>

namespace orv {

ProxyDownloader::ProxyDownloader(QObject *parent) : QObject(parent) {}

ProxyDownloader::~ProxyDownloader() = default;

int ProxyDownloader::protocolOf(const QString &url)
{
    const QString scheme = QUrl(url.trimmed()).scheme().toLower();
    if (scheme == QLatin1String("http"))
        return 1;
    if (scheme == QLatin1String("ftp"))
        return 2;
    if (scheme == QLatin1String("https"))
        return 3;
    return 0;
}

void ProxyDownloader::setProxy(const QString &server, const QString &port, const QString &user,
                               const QString &password)
{
    proxy_ = {!server.trimmed().isEmpty(), server, port, user, password};
}

void ProxyDownloader::setTargetFile(const QString &file, net::OnFailure onFailure)
{
    target_ = file;
    onFailure_ = onFailure;
}

bool ProxyDownloader::busy() const { return transfer_ && transfer_->isRunning(); }

void ProxyDownloader::start()
{
    cancel();
    result_ = {};
    begun_ = false;
    // The previous transfer may still be unwinding its own signal: let it go later.
    if (transfer_)
        transfer_.release()->deleteLater();
    transfer_ = std::make_unique<net::Transfer>(url_, proxy_, timeoutMs_);
    transfer_->setLimits(limits_);
    if (!target_.isEmpty())
        transfer_->setTargetFile(target_, onFailure_);
    net::Transfer *t = transfer_.get();
    connect(t, &net::Transfer::phaseChanged, this, [this](net::Transfer::Phase phase) {
        switch (phase) {
        case net::Transfer::Phase::Connecting:
            emit stateChanged(Connecting3);
            emit progress(Connecting, 0, 0);
            break;
        case net::Transfer::Phase::RequestSent:
            emit stateChanged(RequestSent);
            emit progress(SendingRequest, 0, 0);
            break;
        case net::Transfer::Phase::ResponseReceived:
            emit stateChanged(ResponseReceived);
            emit progress(MimeType, 0, 0);
            break;
        case net::Transfer::Phase::Receiving:
            emit stateChanged(Receiving);
            break;
        case net::Transfer::Phase::Done:
            break;
        }
    });
    connect(t, &net::Transfer::progress, this, [this](qint64 received, qint64 total) {
        const qint64 max = total < 0 ? 0 : total;
        if (!begun_) {
            begun_ = true;
            emit progress(BeginDownload, received, max);
        }
        emit progress(Downloading, received, max);
    });
    connect(t, &net::Transfer::finished, this, &ProxyDownloader::onFinished);
    emit progress(FindingResource, 0, 0);
    t->start();
}

void ProxyDownloader::cancel()
{
    if (busy())
        transfer_->cancel();
}

void ProxyDownloader::onFinished()
{
    result_ = transfer_->result();
    if (result_.ok()) {
        emit progress(DownloadComplete, result_.bytes, result_.bytes);
        emit stateChanged(Disconnected);
        emit completed();
    } else {
        emit stateChanged(CommunicationError);
        emit error(result_.error);
    }
}

} // namespace orv
