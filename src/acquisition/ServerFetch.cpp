#include "acquisition/Highlights.h"
#include "acquisition/Updates.h"

#include "core/Settings.h"
#include "platform/Net.h"

// The transfers of the highlights, channel-file and update downloads.
namespace orv {

namespace {

net::ProxySettings proxy()
{
    return {UsaProxy, ProxyName, ProxyPort, ProxyUser, ProxyPass};
}

} // namespace

FileFetcher serverFileFetcher()
{
    return [](const QString &url, const QString &file) {
        // An error page is not the file asked for: only a whole success counts.
        return net::copyUrlToFile(url, file, proxy(), {}, net::DefaultTimeoutMs, net::OnFailure::Remove).ok();
    };
}

UrlReader serverUrlReader()
{
    return [](const QString &url) -> std::optional<QByteArray> {
        QByteArray body;
        if (!net::readUrl(url, body, proxy()).ok())
            return std::nullopt;
        return body;
    };
}

} // namespace orv
