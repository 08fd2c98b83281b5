#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace orv {

class UserStore;

namespace startup {

// The unattended run: the arguments are exactly the one word "Download".
bool isDownloadCommand(const QStringList &arguments);

// The Qt platforms the unattended run tries, in order: the session's window
// system when one is named, then offscreen, so that a display that has gone
// away (a stale DISPLAY in a scheduled job) cannot stop the run. Empty when a
// platform was chosen by QT_QPA_PLATFORM.
QByteArray unattendedPlatforms();

// Deletes stale lock files "*.ldb" in the folder (nothing of ours holds
// them); SQLite's own side files are left alone. Gives how many were deleted.
int removeStaleLockFiles(const QString &databaseFolder);

using Launcher = std::function<bool(const QString &program)>;
// Starts a program on its own without waiting for it; false when it cannot.
bool startDetached(const QString &program);

// On the first run starts the companion program when it is there and stores
// "FirstTime" = "False". Gives true when the companion was started.
bool startCompanionOnFirstRun(UserStore &store, const QString &companion, const Launcher &launch = startDetached);

} // namespace startup
} // namespace orv
