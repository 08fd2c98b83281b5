#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace orv::net {

// How a transfer goes: directly, or through the user's proxy (host, user and
// password as stored in the settings).
struct ProxySettings {
    bool use = false;
    QString host; // "name" or "name:port"
    QString port;
    QString user;
    QString password;
};

// Progress of one transfer: bytes so far and bytes per second.
using ProgressFn = std::function<void(qint64 bytes, double bytesPerSecond)>;

struct FetchResult {
    bool opened = false;   // the URL could be opened (what ErroreDownload reports)
    bool complete = false; // the whole body arrived and was written
    int httpStatus = 0;
    QString error;
};

// Fetches one URL into one local file. The file is replaced only when the
// whole body arrived; a failure leaves what was there before.
FetchResult copyUrlToFile(const QString &url, const QString &file, const ProxySettings &proxy = {},
                          const ProgressFn &progress = {});
// Fetches one URL into memory.
FetchResult readUrl(const QString &url, QByteArray &body, const ProxySettings &proxy = {});

} // namespace orv::net
