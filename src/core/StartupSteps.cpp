#include "core/StartupSteps.h"

#include "core/UserStore.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace orv::startup {

bool isDownloadCommand(const QStringList &arguments)
{
    return arguments.size() == 1 && arguments.front() == QLatin1String("Download");
}

QByteArray unattendedPlatforms()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return {};
    QByteArrayList platforms;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        platforms << "wayland";
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms << "xcb";
    platforms << "offscreen";
    return platforms.join(';');
}

int removeStaleLockFiles(const QString &databaseFolder)
{
    int removed = 0;
    const QDir dir(databaseFolder);
    const QFileInfoList found = dir.entryInfoList({QStringLiteral("*.ldb")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &f : found)
        if (QFile::remove(f.filePath()))
            ++removed;
    return removed;
}

namespace {
// "FirstTime" is yes for "1", "True" or any non-zero number.
bool isFirstRun(const UserStore &store)
{
    const QString v = store.value(QStringLiteral("FirstTime"), QStringLiteral("1")).trimmed();
    if (v.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool number = false;
    const double n = v.toDouble(&number);
    return number && n != 0;
}
} // namespace

bool startDetached(const QString &program)
{
    return QProcess::startDetached(program, {}, QFileInfo(program).path());
}

bool startCompanionOnFirstRun(UserStore &store, const QString &companion, const Launcher &launch)
{
    if (!isFirstRun(store))
        return false;
    const QFileInfo info(companion);
    const bool started = info.isFile() && info.isExecutable() && launch(info.filePath());
    store.setValue(QStringLiteral("FirstTime"), QStringLiteral("False"));
    return started;
}

} // namespace orv::startup
