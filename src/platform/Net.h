#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QFileDevice;
class QTimer;

namespace orv::net {

// How a transfer goes: directly, or through the user's HTTP proxy.
struct ProxySettings {
    bool use = false;
    QString host; // "name", or "name:port" when port is empty
    QString port;
    QString user;
    QString password;
};

// What a caller learns of a transfer.
enum class Outcome {
    Fetched,  // the whole body arrived with a success status (and was written)
    NotFound, // the server answered 404 or 410
    Failed,   // anything else: refused, timed out, cut short, error status, bad URL, disk
};

struct FetchResult {
    Outcome outcome = Outcome::Failed;
    int httpStatus = 0; // 0 when no answer came
    qint64 bytes = 0;   // body bytes received
    QString error;      // empty when fetched
    bool opened = false;   // the server answered at all (any status)
    bool complete = false; // same as ok(): kept for callers that test both flags
    bool ok() const { return outcome == Outcome::Fetched; }
};

// Bytes of the body received so far, and the announced size (-1 unknown).
using ProgressFn = std::function<void(qint64 received, qint64 total)>;

// A server that sends nothing for this long is given up.
inline constexpr int DefaultTimeoutMs = 30000;
// No transfer may take longer than this as a whole (a server dripping a
// byte now and then keeps the idle timer from ever firing).
inline constexpr int DefaultDeadlineMs = 120000;
// Far above anything the program fetches; callers bound their kinds lower.
inline constexpr qint64 DefaultMaxBytes = 64LL * 1024 * 1024;

// Bounds of one transfer besides the idle timeout; a transfer that breaks
// one of them fails and leaves the target as a failed transfer does.
struct Limits {
    int deadlineMs = DefaultDeadlineMs;
    qint64 maxBytes = DefaultMaxBytes;
    // A line-oriented file: a body sent without a length that does not end
    // at a line end was cut short by a closed connection.
    bool wholeLines = false;
};

// What happens to the target file when a transfer fails: keep the previous
// file (data the user has), or remove it (a scratch file that must not be
// read again as if it were new).
enum class OnFailure { KeepOld, Remove };

// One asynchronous transfer of one http or https URL, into a file or into
// memory. A file is written aside and renamed into place only when the whole
// body arrived. Signals let a window show how it goes.
class Transfer : public QObject {
    Q_OBJECT
public:
    enum class Phase { Connecting, RequestSent, ResponseReceived, Receiving, Done };
    Q_ENUM(Phase)

    Transfer(const QString &url, const ProxySettings &proxy = {}, int timeoutMs = DefaultTimeoutMs,
             QObject *parent = nullptr);
    ~Transfer() override;

    void setTargetFile(const QString &path, OnFailure onFailure = OnFailure::KeepOld);
    void setLimits(const Limits &limits) { limits_ = limits; }
    void start();
    void cancel(); // ends the transfer as failed
    bool isRunning() const { return running_; }

    const FetchResult &result() const { return result_; }
    const QByteArray &body() const { return body_; } // when there is no target file

signals:
    void phaseChanged(orv::net::Transfer::Phase phase);
    void progress(qint64 received, qint64 total);
    void finished();

private:
    void onReadyRead();
    void onFinished();
    void fail(const QString &error);
    void finish();
    QString tooLarge() const;

    QString url_;
    ProxySettings proxy_;
    int timeoutMs_;
    QString target_;
    OnFailure onFailure_ = OnFailure::KeepOld;
    std::unique_ptr<QNetworkAccessManager> manager_;
    QNetworkReply *reply_ = nullptr;
    // A scratch target (removed on failure) is written in place: no new
    // file, no sync per transfer. Any other is written aside and renamed.
    std::unique_ptr<QFileDevice> file_;
    bool commitFile();
    void cancelFile();
    QTimer *idle_ = nullptr;
    QTimer *deadline_ = nullptr;
    Limits limits_;
    char lastByte_ = 0;
    QByteArray body_;
    FetchResult result_;
    qint64 total_ = -1;
    bool running_ = false;
    bool receiving_ = false;
};

// Fetches one URL into one local file, waiting in a local event loop (the
// windows stay responsive). The file is replaced only when the whole body
// arrived; on failure it is kept or removed as onFailure says.
FetchResult copyUrlToFile(const QString &url, const QString &file, const ProxySettings &proxy = {},
                          const ProgressFn &progress = {}, int timeoutMs = DefaultTimeoutMs,
                          OnFailure onFailure = OnFailure::KeepOld, const Limits &limits = {});
// Fetches one URL into memory; body is empty unless the fetch succeeded.
FetchResult readUrl(const QString &url, QByteArray &body, const ProxySettings &proxy = {},
                    int timeoutMs = DefaultTimeoutMs, const Limits &limits = {});

// True for http and https URLs with a host.
bool isFetchableUrl(const QString &url);

} // namespace orv::net
