#include "acquisition/Highlights.h"
#include "acquisition/Updates.h"

#include "acquisition/UrlCopy.h"

// The transfers of the highlights, channel-file and update downloads: the
// program's own copy operations, so the proxy settings and the transfer
// figures apply to them as to every other download.
namespace orv {

FileFetcher serverFileFetcher()
{
    // An error page is not the file asked for: only a whole success counts.
    return [](const QString &url, const QString &file) { return CopyURLToFile(url, file).ok(); };
}

UrlReader serverUrlReader()
{
    return [](const QString &url) -> std::optional<QByteArray> {
        if (!LEGGI_URL(url).ok())
            return std::nullopt;
        return TestoUrl.toUtf8();
    };
}

} // namespace orv
