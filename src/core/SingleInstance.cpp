#include "core/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace orv {

namespace {
// The user's runtime folder. A run started without a session (cron) has no
// XDG_RUNTIME_DIR, yet must find the lock of the session's instance.
QString lockFolder()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty()) {
        const QFileInfo session(QStringLiteral("/run/user/") + QString::number(::getuid()));
        if (session.isDir() && session.isWritable())
            dir = session.filePath();
    }
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir().mkpath(dir))
        dir = QDir::tempPath();
    return dir;
}

std::unique_ptr<QLockFile> lockAt(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Only a dead owner makes the lock stale, never its age: the program
    // may run for days.
    lock->setStaleLockTime(0);
    lock->tryLock(0);
    return lock;
}
} // namespace

SingleInstance::SingleInstance(const QString &applicationFolder)
{
    QString folder = QFileInfo(applicationFolder).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(QDir(applicationFolder).absolutePath());
    const QByteArray id = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    path_ = lockFolder() + QStringLiteral("/orvento-") + QString::fromLatin1(id) + QStringLiteral(".lock");
    folderPath_ = folder + QLatin1Char('/') + folderLockName();
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (lock_ && lock_->isLocked())
        return true;
    folderLock_ = lockAt(folderPath_);
    // Held by another program: refused. A folder that cannot hold the file
    // leaves the runtime lock alone to decide.
    if (!folderLock_->isLocked() && folderLock_->error() == QLockFile::LockFailedError) {
        folderLock_.reset();
        return false;
    }
    lock_ = lockAt(path_);
    if (!lock_->isLocked()) {
        lock_.reset();
        folderLock_.reset();
        return false;
    }
    return true;
}

} // namespace orv
