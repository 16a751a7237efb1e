#include "PngFile.h"

#include "core/FreeFileName.h"
#include "core/SafeFile.h"
#include "export/card/SnapshotExporter.h"

#include <QFileInfo>

namespace brolga::PngFile {

QString refusal(const QString &path, bool overwrite)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("cannot write %1: it is a folder").arg(path);
    // A FIFO or a device would be replaced by a plain file, or block; neither is what was asked for.
    if (info.exists() && !info.isFile())
        return QStringLiteral("cannot write %1: it is not a regular file").arg(path);
    // A file there is somebody's earlier picture or report: replaced only when asked, else a free name is offered.
    if (!overwrite && (info.exists() || info.isSymLink()))
        return QStringLiteral("cannot write %1: it exists (give --overwrite to replace it, or write to \"%2\")")
            .arg(path, FreeFileName::of(path));
    return {};
}

QString write(const QImage &image, const QString &path)
{
    const auto png = SnapshotExporter::pngData(image);
    if (!png)
        return QStringLiteral("cannot encode the picture");
    // Whether a file there may be replaced was settled before anything was drawn.
    if (const QString refused = refusal(path, true); !refused.isEmpty())
        return refused;
    if (const QString error = SafeFile::write(path, *png); !error.isEmpty())
        return QStringLiteral("cannot write %1: %2").arg(path, error);
    return {};
}

} // namespace brolga::PngFile
