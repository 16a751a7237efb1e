#include "core/SafeFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brolga {

namespace {

std::atomic<qint64> spaceLeft{-1}; // -1: the real disk

#if defined(Q_OS_UNIX)

// open(2), tried again when a signal interrupts it.
int openRetrying(const QByteArray &path, int flags, mode_t mode = 0)
{
    int fd;
    do
        fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Writes everything or sets errno; the test seam fails like a full disk would.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        qint64 chunk = left;
        const qint64 budget = spaceLeft.load();
        if (budget >= 0) {
            if (budget == 0) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, budget);
            spaceLeft.store(budget - chunk);
        }
        const ssize_t n = ::write(fd, data, size_t(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

// The bytes on disk are the bytes we meant: catches a file system that accepted a write it could not keep.
bool readsBackAs(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = openRetrying(path, O_RDONLY);
    if (fd < 0)
        return false;
    QByteArray back(bytes.size() + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < back.size()) {
        const ssize_t n = ::read(fd, back.data() + got, size_t(back.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    if (got != bytes.size() || std::memcmp(back.constData(), bytes.constData(), size_t(got)) != 0) {
        errno = EIO;
        return false;
    }
    return true;
}

// The file a chain of links ends at (the path itself when it is no link); a link to nothing yet gives the file
// it names, so a first save creates it. Empty after too many links (a loop).
QString finalTarget(const QString &path)
{
    QString current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QByteArray name = QFile::encodeName(current);
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray link(qsizetype(PATH_MAX), Qt::Uninitialized);
        const ssize_t n = ::readlink(name.constData(), link.data(), size_t(link.size()));
        if (n < 0)
            return current;
        link.truncate(n);
        current = QDir(QFileInfo(current).absolutePath()).absoluteFilePath(QFile::decodeName(link));
    }
    return {};
}

QString temporaryName(const QString &target)
{
    return target + QLatin1String(SafeFile::temporaryInfix) + QString::number(::getpid()) + u'-' +
           QString::number(QRandomGenerator::global()->generate(), 36);
}

#endif

} // namespace

QString SafeFile::sentenceFor(int error)
{
#if defined(EDQUOT)
    if (error == EDQUOT)
        return QString::fromUtf16(diskFull);
#endif
    if (error == ENOSPC)
        return QString::fromUtf16(diskFull);
    return QString::fromLocal8Bit(std::strerror(error));
}

QString SafeFile::write(const QString &path, const QByteArray &bytes, Access access,
                        const std::function<void()> &beforeReplace)
{
#if defined(Q_OS_UNIX)
    // Links are followed to the file they end at, so the user's links stay links; the file keeps its mode, and
    // one made read-only stays as it is.
    const QString name = QFileInfo(path).fileName();
    const QString target = finalTarget(path);
    if (target.isEmpty())
        return sentenceFor(ELOOP);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat st {};
    const bool exists = ::stat(targetName.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return QStringLiteral("%1 is a folder").arg(name);
    if (exists && !S_ISREG(st.st_mode))
        return QStringLiteral("%1 is not a regular file").arg(name);
    // The mode bits as well as access(2): root may write anything.
    if (exists && ((st.st_mode & 0222) == 0 || ::access(targetName.constData(), W_OK) != 0))
        return QStringLiteral("%1 is read-only").arg(name);

    const QString temporary = temporaryName(target);
    const QByteArray temporaryPath = QFile::encodeName(temporary);
    const mode_t mode = access == Access::privateToUser ? 0600 : 0666;
    const int fd = openRetrying(temporaryPath, O_WRONLY | O_CREAT | O_EXCL, mode);
    if (fd < 0)
        return sentenceFor(errno);

    // fchmod, not the open's mode: the umask would take bits off the file's own.
    bool ok = (!exists || ::fchmod(fd, st.st_mode & 0777) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && !readsBackAs(temporaryPath, bytes)) {
        ok = false;
        error = errno;
    }
    if (ok && beforeReplace)
        beforeReplace();
    if (ok && ::rename(temporaryPath.constData(), targetName.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporaryPath.constData());
        return sentenceFor(error);
    }
    // The rename itself reaches the disk with the folder.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    if (const int dir = openRetrying(folder, O_RDONLY | O_DIRECTORY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
#else
    Q_UNUSED(access);
    const qint64 budget = spaceLeft.load();
    if (budget >= 0 && budget < bytes.size()) {
        spaceLeft.store(0);
        return QString::fromUtf16(diskFull);
    }
    // Unbuffered, so a failed write is seen by write() itself rather than lost in a buffer flushed at commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size())
        return file.errorString();
    if (beforeReplace)
        beforeReplace();
    if (!file.commit())
        return file.errorString();
    return {};
#endif
}

SafeFile::Read SafeFile::read(const QString &path, qint64 maxBytes)
{
    Read out;
#if defined(Q_OS_UNIX)
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        out.status = errno == ENOENT ? Read::Status::missing : Read::Status::failed;
        out.error = QString::fromLocal8Bit(std::strerror(errno));
        return out;
    }
    // Checked before opening: opening a FIFO or a device can block or have effects of its own.
    if (!S_ISREG(st.st_mode)) {
        out.status = Read::Status::notRegular;
        out.error = QStringLiteral("not a regular file");
        return out;
    }
    const int fd = openRetrying(name, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        out.error = QString::fromLocal8Bit(std::strerror(errno));
        return out;
    }
    // Swapped between the check and the open: check what was actually opened.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        out.status = Read::Status::notRegular;
        out.error = QStringLiteral("not a regular file");
        return out;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        out.status = Read::Status::tooLarge;
        out.error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return out;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        out.error = file.errorString();
        return out;
    }
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        out.status = Read::Status::missing;
        return out;
    }
    if (!info.isFile() || info.isSymLink()) {
        out.status = Read::Status::notRegular;
        out.error = QStringLiteral("not a regular file");
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.error = file.errorString();
        return out;
    }
#endif
    // One byte past the cap tells a file that grew after the size check.
    out.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        out.error = file.errorString();
        out.bytes.clear();
        return out;
    }
    if (out.bytes.size() > maxBytes) {
        out.bytes.clear();
        out.status = Read::Status::tooLarge;
        out.error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return out;
    }
    out.status = Read::Status::ok;
    return out;
}

void SafeFile::removeLeftovers(const QString &path, Leftovers which)
{
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QLatin1String(temporaryInfix);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const auto found = target.absoluteDir().entryInfoList({prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &leftover : found) {
#if defined(Q_OS_UNIX)
        if (which == Leftovers::ofEndedWriters) {
            // A writer that is still running may be about to rename its temporary; an hour-old one is stuck.
            bool numeric = false;
            const qint64 pid = leftover.fileName().mid(prefix.size()).section(u'-', 0, 0).toLongLong(&numeric);
            const bool running = numeric && pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
            if (running && leftover.lastModified().secsTo(now) < 3600)
                continue;
        }
#else
        if (which == Leftovers::ofEndedWriters && leftover.lastModified().secsTo(now) < 3600)
            continue;
#endif
        QFile::remove(leftover.absoluteFilePath());
    }
}

void SafeFile::setSpaceLeftForTesting(std::optional<qint64> bytes)
{
    spaceLeft.store(bytes ? *bytes : -1);
}

} // namespace brolga
