#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace brolga {

// The one way Brolga writes and reads its own files. A write goes to a temporary file beside the target,
// is checked byte for byte, flushed to the disk and only then renamed over the target: the target is either
// the complete new file or the old one, never a short or empty file. A chain of links is followed to the file
// it ends at, which is replaced and keeps its mode; a read-only file is not replaced. A read opens only regular
// files (no FIFO, device or link to one, which could block for ever) and never more than a cap.
class SafeFile {
public:
    enum class Access { shared, privateToUser };

    // Empty on success, else the reason: the diskFull sentence when the disk is full, else a short reason
    // ("Brolga.json is read-only", "Brolga.json is a folder", "Permission denied") for the caller to put in
    // its own words.
    // `beforeReplace` runs once the new file is complete on disk, just before it replaces the old one (to
    // keep a copy of the old one, say).
    static QString write(const QString &path, const QByteArray &bytes, Access access = Access::shared,
                         const std::function<void()> &beforeReplace = {});

    struct Read {
        enum class Status { ok, missing, notRegular, tooLarge, failed };
        Status status = Status::failed;
        QByteArray bytes;
        QString error; // a short reason when not ok
        bool ok() const { return status == Status::ok; }
    };
    // The whole file when it is a regular file of at most maxBytes.
    static Read read(const QString &path, qint64 maxBytes = maxReadBytes);

    // Temporaries of `path` left behind by a process that was killed mid-write: all of them while the caller
    // holds the file's lock (no writer can be busy), else only those whose process has ended.
    enum class Leftovers { all, ofEndedWriters };
    static void removeLeftovers(const QString &path, Leftovers which);

    // Test seam standing in for a full disk: writes fail once this many more bytes have gone out. Absent (the
    // default) is the real disk.
    static void setSpaceLeftForTesting(std::optional<qint64> bytes);

    // The reason for a failed write with this errno.
    static QString sentenceFor(int error);

    static constexpr qint64 maxReadBytes = 4 * 1024 * 1024;
    static constexpr char16_t diskFull[] = u"Could not save \u2014 the disk may be full.";
    // Temporaries are named "<target>.tmp-<pid>-<random>".
    static constexpr char temporaryInfix[] = ".tmp-";
};

} // namespace brolga
