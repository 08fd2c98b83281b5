#include "platform/Net.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace orv::net {

namespace {

QNetworkProxy proxyFor(const ProxySettings &s)
{
    if (!s.use || s.host.trimmed().isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    QString host = s.host.trimmed();
    QString port = s.port.trimmed();
    // The host box may hold "name:port" too.
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    if (port.isEmpty() && colon > 0) {
        port = host.mid(colon + 1);
        host = host.left(colon);
    }
    bool ok = false;
    int number = port.toInt(&ok);
    if (!ok || number <= 0 || number > 65535)
        number = 8080;
    return QNetworkProxy(QNetworkProxy::HttpProxy, host, quint16(number), s.user, s.password);
}

bool isSuccess(int status) { return status >= 200 && status < 300; }

// Direct transfers share one manager, so that its set-up is paid once and
// connections to the server are reused; a proxy gets a manager of its own,
// so that changed settings or credentials never leak into the next transfer.
QPointer<QNetworkAccessManager> sharedManager;

QNetworkAccessManager *directManager()
{
    if (!sharedManager) {
        // It goes before the application object does: while that object is
        // being destroyed Qt delivers no events, so the clean-up that the
        // manager's HTTP thread queues for its last transfer would never run
        // and that transfer's objects would stay allocated.
        qAddPostRoutine([] { delete sharedManager.data(); });
        sharedManager = new QNetworkAccessManager();
        sharedManager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    }
    return sharedManager;
}

} // namespace

bool isFetchableUrl(const QString &url)
{
    const QUrl u(url.trimmed(), QUrl::TolerantMode);
    const QString scheme = u.scheme().toLower();
    return u.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !u.host().isEmpty();
}

Transfer::Transfer(const QString &url, const ProxySettings &proxy, int timeoutMs, QObject *parent)
    : QObject(parent), url_(url.trimmed()), proxy_(proxy), timeoutMs_(timeoutMs > 0 ? timeoutMs : DefaultTimeoutMs)
{
}

Transfer::~Transfer()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
    cancelFile();
}

void Transfer::setTargetFile(const QString &path, OnFailure onFailure)
{
    target_ = path;
    onFailure_ = onFailure;
}

void Transfer::start()
{
    if (running_)
        return;
    running_ = true;
    result_ = FetchResult{};
    body_.clear();
    if (!isFetchableUrl(url_)) {
        result_.error = QStringLiteral("Indirizzo non valido: %1").arg(url_);
        QMetaObject::invokeMethod(this, &Transfer::finish, Qt::QueuedConnection);
        return;
    }
    if (!target_.isEmpty()) {
        if (onFailure_ == OnFailure::Remove)
            file_ = std::make_unique<QFile>(target_);
        else
            file_ = std::make_unique<QSaveFile>(target_);
        if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            result_.error = QStringLiteral("Impossibile scrivere %1: %2").arg(target_, file_->errorString());
            file_.reset();
            QMetaObject::invokeMethod(this, &Transfer::finish, Qt::QueuedConnection);
            return;
        }
    }
    QNetworkAccessManager *manager = directManager();
    if (proxy_.use) {
        manager_ = std::make_unique<QNetworkAccessManager>();
        manager_->setProxy(proxyFor(proxy_));
        manager = manager_.get();
    }

    QNetworkRequest request{QUrl(url_)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Orvento"));

    idle_ = new QTimer(this);
    idle_->setSingleShot(true);
    idle_->setInterval(timeoutMs_);
    connect(idle_, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("Nessuna risposta dal server da %1 secondi").arg(timeoutMs_ / 1000.0));
    });
    idle_->start();
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    deadline_->setInterval(limits_.deadlineMs > 0 ? limits_.deadlineMs : DefaultDeadlineMs);
    connect(deadline_, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("Trasferimento non concluso in %1 secondi").arg(deadline_->interval() / 1000.0));
    });
    deadline_->start();

    reply_ = manager->get(request);
    connect(reply_, &QNetworkReply::socketStartedConnecting, this, [this] {
        idle_->start();
        emit phaseChanged(Phase::Connecting);
    });
    connect(reply_, &QNetworkReply::requestSent, this, [this] {
        idle_->start();
        emit phaseChanged(Phase::RequestSent);
    });
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        idle_->start();
        emit phaseChanged(Phase::ResponseReceived);
    });
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64, qint64 total) {
        idle_->start();
        if (total >= 0)
            total_ = total;
        // Refused before a byte of an announced oversized body is stored.
        if (total > limits_.maxBytes)
            fail(tooLarge());
    });
    connect(reply_, &QNetworkReply::readyRead, this, &Transfer::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &Transfer::onFinished);
}

void Transfer::cancel()
{
    if (running_)
        fail(QStringLiteral("Trasferimento annullato"));
}

void Transfer::onReadyRead()
{
    if (!running_ || !reply_)
        return;
    idle_->start();
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray chunk = reply_->readAll();
    // An error page is not content.
    if (status != 0 && !isSuccess(status))
        return;
    if (!receiving_) {
        receiving_ = true;
        emit phaseChanged(Phase::Receiving);
    }
    if (result_.bytes + chunk.size() > limits_.maxBytes) {
        fail(tooLarge());
        return;
    }
    if (!chunk.isEmpty())
        lastByte_ = chunk.back();
    if (file_) {
        if (file_->write(chunk) != chunk.size()) {
            fail(QStringLiteral("Impossibile scrivere %1: %2").arg(target_, file_->errorString()));
            return;
        }
    } else {
        body_.append(chunk);
    }
    result_.bytes += chunk.size();
    emit progress(result_.bytes, total_);
}

void Transfer::onFinished()
{
    if (!running_ || !reply_)
        return;
    if (reply_->bytesAvailable() > 0)
        onReadyRead();
    if (!running_)
        return;
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result_.httpStatus = status;
    if (status == 404 || status == 410) {
        result_.outcome = Outcome::NotFound;
        result_.error = QStringLiteral("Il server non ha il file richiesto (%1)").arg(status);
        finish();
        return;
    }
    if (reply_->error() != QNetworkReply::NoError) {
        fail(status ? QStringLiteral("Il server ha risposto %1: %2").arg(status).arg(reply_->errorString())
                    : reply_->errorString());
        return;
    }
    if (!isSuccess(status)) {
        fail(QStringLiteral("Il server ha risposto %1").arg(status));
        return;
    }
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && result_.bytes < length.toLongLong()) {
        fail(QStringLiteral("Trasferimento interrotto: %1 byte su %2").arg(result_.bytes).arg(length.toLongLong()));
        return;
    }
    // Without a length only the end of a line tells a whole body from one
    // whose connection was closed in the middle.
    if (limits_.wholeLines && !length.isValid() && result_.bytes > 0 && lastByte_ != '\n' && lastByte_ != '\r') {
        fail(QStringLiteral("Trasferimento interrotto: il file non finisce con una riga intera"));
        return;
    }
    if (file_ && !commitFile()) {
        fail(QStringLiteral("Impossibile scrivere %1: %2").arg(target_, file_->errorString()));
        return;
    }
    file_.reset();
    result_.outcome = Outcome::Fetched;
    result_.error.clear();
    finish();
}

bool Transfer::commitFile()
{
    if (auto *save = qobject_cast<QSaveFile *>(file_.get()))
        return save->commit();
    const bool ok = file_->flush() && file_->error() == QFileDevice::NoError;
    file_->close();
    return ok;
}

void Transfer::cancelFile()
{
    if (!file_)
        return;
    if (auto *save = qobject_cast<QSaveFile *>(file_.get())) {
        save->cancelWriting();
    } else {
        file_->close();
        QFile::remove(target_);
    }
    file_.reset();
}

QString Transfer::tooLarge() const
{
    return QStringLiteral("File troppo grande: oltre %1 byte").arg(limits_.maxBytes);
}

void Transfer::fail(const QString &error)
{
    if (!running_)
        return;
    result_.outcome = Outcome::Failed;
    result_.error = error;
    if (reply_) {
        QNetworkReply *r = reply_;
        if (!result_.httpStatus)
            result_.httpStatus = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        r->disconnect(this);
        r->abort();
    }
    finish();
}

void Transfer::finish()
{
    if (!running_)
        return;
    running_ = false;
    result_.opened = result_.httpStatus != 0;
    result_.complete = result_.outcome == Outcome::Fetched;
    if (idle_)
        idle_->stop();
    if (deadline_)
        deadline_->stop();
    if (result_.outcome != Outcome::Fetched) {
        cancelFile();
        body_.clear();
        if (!target_.isEmpty() && onFailure_ == OnFailure::Remove)
            QFile::remove(target_);
    }
    emit phaseChanged(Phase::Done);
    emit finished();
}

FetchResult copyUrlToFile(const QString &url, const QString &file, const ProxySettings &proxy,
                          const ProgressFn &progress, int timeoutMs, OnFailure onFailure, const Limits &limits)
{
    if (file.isEmpty()) {
        FetchResult r;
        r.error = QStringLiteral("Nessun file di destinazione");
        return r;
    }
    Transfer transfer(url, proxy, timeoutMs);
    transfer.setTargetFile(file, onFailure);
    transfer.setLimits(limits);
    if (progress)
        QObject::connect(&transfer, &Transfer::progress, progress);
    QEventLoop loop;
    QObject::connect(&transfer, &Transfer::finished, &loop, &QEventLoop::quit);
    transfer.start();
    if (transfer.isRunning())
        loop.exec();
    return transfer.result();
}

FetchResult readUrl(const QString &url, QByteArray &body, const ProxySettings &proxy, int timeoutMs,
                    const Limits &limits)
{
    Transfer transfer(url, proxy, timeoutMs);
    transfer.setLimits(limits);
    QEventLoop loop;
    QObject::connect(&transfer, &Transfer::finished, &loop, &QEventLoop::quit);
    transfer.start();
    if (transfer.isRunning())
        loop.exec();
    body = transfer.body();
    return transfer.result();
}

} // namespace orv::net
