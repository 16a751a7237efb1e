#include "core/ConfigFolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace brolga {

ConfigFolderLock::ConfigFolderLock(const QString &folder)
    : path_(QDir(folder).filePath(QStringLiteral("Brolga.lock")))
#if !defined(Q_OS_UNIX)
    , lock_(path_)
#endif
{
#if !defined(Q_OS_UNIX)
    // Only a dead owner makes the lock stale, never its age.
    lock_.setStaleLockTime(0);
#endif
}

ConfigFolderLock::~ConfigFolderLock()
{
#if defined(Q_OS_UNIX)
    if (fd_ >= 0)
        ::close(fd_); // releases the lock; the file stays, so no later start races its removal
#endif
}

bool ConfigFolderLock::acquire()
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
#if defined(Q_OS_UNIX)
    if (fd_ >= 0)
        return true;
    const QByteArray name = QFile::encodeName(path_);
    fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        fd_ = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return true;
    int locked;
    do
        locked = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    // A file system without locks (ENOLCK) has nothing to enforce them with.
    if (locked == 0 || errno != EWOULDBLOCK)
        return true;
    ::close(fd_);
    fd_ = -1;
    return false;
#else
    return lock_.isLocked() || lock_.tryLock(0) || lock_.error() != QLockFile::LockFailedError;
#endif
}

} // namespace brolga
