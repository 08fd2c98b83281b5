#include "acquisition/Highlights.h"
#include "acquisition/Updates.h"

#include "core/Settings.h"
#include "platform/Net.h"

#include <QFile>

// The transfers of the highlights, channel-file and update downloads.
namespace orv {

namespace {

net::ProxySettings proxy()
{
    return {UsaProxy, ProxyName, ProxyPort, ProxyUser, ProxyPass};
}

// An error page is not the file that was asked for.
bool good(const net::FetchResult &r)
{
    return r.opened && r.complete && (r.httpStatus == 0 || (r.httpStatus >= 200 && r.httpStatus < 300));
}

} // namespace

FileFetcher serverFileFetcher()
{
    return [](const QString &url, const QString &file) {
        if (good(net::copyUrlToFile(url, file, proxy())))
            return true;
        QFile::remove(file);
        return false;
    };
}

UrlReader serverUrlReader()
{
    return [](const QString &url) -> std::optional<QByteArray> {
        QByteArray body;
        if (!good(net::readUrl(url, body, proxy())))
            return std::nullopt;
        return body;
    };
}

} // namespace orv
