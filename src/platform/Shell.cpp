#include "platform/Shell.h"

#include "platform/Prompt.h"

#include <QDesktopServices>
#include <QUrl>

#include <cstdio>

namespace orv::shell {

bool open(const QString &url)
{
    if (!Prompt::canShowWindows()) {
        std::fprintf(stderr, "Orvento: da aprire nel browser: %s\n", qUtf8Printable(url));
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

} // namespace orv::shell
