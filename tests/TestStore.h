#pragma once

// Keeps every test away from the user's settings: test mode on, the settings files removed.

#include "core/SafeFile.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace teststore {

inline void isolateSettings()
{
    QStandardPaths::setTestModeEnabled(true);
    brolga::SafeFile::setSpaceLeftForTesting(std::nullopt);
    const QFileInfo file(brolga::Settings::defaultPath());
    QDir folder = file.absoluteDir();
    for (const QString &name : folder.entryList({QStringLiteral("Brolga*")}, QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
}

// A full disk under the test's settings and data folders. Where the test runs on a small file system of its
// own (tests/tmpfs-run sets BROLGA_TEST_TMPFS) the disk is really filled, leaving `free` bytes; elsewhere the
// writer's seam fails every write past `free` bytes.
class FullDisk {
public:
    explicit FullDisk(qint64 free = 0)
    {
        const QByteArray root = qgetenv("BROLGA_TEST_TMPFS");
        if (root.isEmpty()) {
            brolga::SafeFile::setSpaceLeftForTesting(free);
            return;
        }
        filler_ = QString::fromLocal8Bit(root) + QStringLiteral("/filler");
        QFile f(filler_);
        f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
        const QByteArray big(64 * 1024, 'x');
        const QByteArray page(4096, 'x');
        while (f.write(big) == big.size()) {
        }
        while (f.write(page) == page.size()) {
        }
        f.close();
        if (free > 0)
            f.resize(std::max<qint64>(0, QFileInfo(filler_).size() - ((free + 4095) / 4096) * 4096));
    }
    ~FullDisk() { release(); }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    void release()
    {
        brolga::SafeFile::setSpaceLeftForTesting(std::nullopt);
        if (!filler_.isEmpty())
            QFile::remove(filler_);
    }
    static bool isReal() { return !qEnvironmentVariableIsEmpty("BROLGA_TEST_TMPFS"); }

private:
    QString filler_;
};

} // namespace teststore
