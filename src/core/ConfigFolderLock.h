#pragma once

#include <QString>

#if !defined(Q_OS_UNIX)
#include <QLockFile>
#endif

namespace brolga {

// One Brolga per configuration folder. SingleInstance keeps to one per session, but two sessions of one user
// (a remote desktop beside the local one) share the folder, and two writers of Brolga.json would lose each
// other's saves. The lock file sits beside Brolga.json and is held for the process's whole life; the kernel
// drops it with its process, however that ends, so a killed Brolga never blocks the next start.
class ConfigFolderLock {
public:
    explicit ConfigFolderLock(const QString &folder);
    ~ConfigFolderLock();
    ConfigFolderLock(const ConfigFolderLock &) = delete;
    ConfigFolderLock &operator=(const ConfigFolderLock &) = delete;

    // False while another process holds it. A folder where no lock file can be made (read-only) takes no
    // saves either, so it does not stop the start, nor does a file system without locks.
    bool acquire();

    QString path() const { return path_; }

private:
    QString path_;
#if defined(Q_OS_UNIX)
    int fd_ = -1;
#else
    QLockFile lock_;
#endif
};

} // namespace brolga
