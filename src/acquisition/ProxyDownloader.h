#pragma once

#include "platform/Net.h"

#include <QObject>
#include <QString>
#include <memory>

namespace orv {

// The download component that FrmProxyDown drives: one transfer at a time
// through the configured HTTP proxy, reported through notifications. Every
// started transfer ends with either completed() or error().
class ProxyDownloader : public QObject {
    Q_OBJECT
public:
    // Progress status codes and state codes of the notifications.
    enum Status { FindingResource = 1, Connecting = 2, BeginDownload = 4, Downloading = 5, DownloadComplete = 6,
                  SendingRequest = 11, MimeType = 13 };
    enum State { Connecting3 = 3, RequestSent = 6, Receiving = 7, ResponseReceived = 8, Disconnected = 10,
                 CommunicationError = 11 };

    explicit ProxyDownloader(QObject *parent = nullptr);
    ~ProxyDownloader() override;

    // 1 http, 2 ftp, 3 https, 0 anything else.
    static int protocolOf(const QString &url);

    void setUrl(const QString &url) { url_ = url; }
    void setProxy(const QString &server, const QString &port, const QString &user, const QString &password);
    void setTargetFile(const QString &file, net::OnFailure onFailure = net::OnFailure::KeepOld);
    void setTimeoutMs(int ms) { timeoutMs_ = ms; }
    void setLimits(const net::Limits &limits) { limits_ = limits; }
    void start();
    void cancel();
    bool busy() const;
    const net::FetchResult &lastResult() const { return result_; }

signals:
    void readComplete();
    void progress(int status, qint64 bytesRead, qint64 bytesMax);
    void error(const QString &text);
    void completed();
    void stateChanged(int state);

private:
    void onFinished();

    QString url_;
    net::ProxySettings proxy_;
    QString target_;
    net::OnFailure onFailure_ = net::OnFailure::KeepOld;
    int timeoutMs_ = net::DefaultTimeoutMs;
    net::Limits limits_;
    std::unique_ptr<net::Transfer> transfer_;
    net::FetchResult result_;
    bool begun_ = false;
};

} // namespace orv
