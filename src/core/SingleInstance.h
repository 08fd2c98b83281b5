#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace orv {

// One running program per application folder: a lock file inside the folder
// itself (so that programs started with other environments meet it too) and
// one in the user's runtime folder (which still holds when the application
// folder cannot be written), held for the life of the process. A lock left
// by a process that no longer runs is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &applicationFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process is now the running instance.
    bool acquire();

    // The lock file inside the application folder.
    static QString folderLockName() { return QStringLiteral("orvento.lock"); }

private:
    QString path_;
    QString folderPath_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLockFile> folderLock_;
};

} // namespace orv
