#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace orv {

// One running program per application folder: a lock file in the user's
// runtime folder, held for the life of the process. A lock left by a
// process that no longer runs is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &applicationFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process is now the running instance.
    bool acquire();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace orv
