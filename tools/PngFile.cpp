#include "PngFile.h"

#include "core/SafeFile.h"
#include "ui/export/SnapshotExporter.h"

#include <QFileInfo>

namespace brolga::PngFile {

QString refusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("cannot write %1: it is a folder").arg(path);
    // A FIFO or a device would be replaced by a plain file, or block; neither is what was asked for.
    if (info.exists() && !info.isFile())
        return QStringLiteral("cannot write %1: it is not a regular file").arg(path);
    return {};
}

QString write(const QImage &image, const QString &path)
{
    const auto png = SnapshotExporter::pngData(image);
    if (!png)
        return QStringLiteral("cannot encode the picture");
    if (const QString refused = refusal(path); !refused.isEmpty())
        return refused;
    if (const QString error = SafeFile::write(path, *png); !error.isEmpty())
        return QStringLiteral("cannot write %1: %2").arg(path, error);
    return {};
}

} // namespace brolga::PngFile
