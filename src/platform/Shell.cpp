#include "platform/Shell.h"

#include "platform/Prompt.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include <cstdio>

namespace orv::shell {

namespace {
bool canShowWindows()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}
} // namespace

bool open(const QString &url)
{
    if (Prompt::unattended() || !canShowWindows()) {
        std::fprintf(stderr, "Orvento: da aprire nel browser: %s\n", qUtf8Printable(url));
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

} // namespace orv::shell
