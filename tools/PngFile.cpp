#include "PngFile.h"

#include "export/SnapshotExporter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace brolga::PngFile {

QString write(const QImage &image, const QString &path)
{
    const auto png = SnapshotExporter::pngData(image);
    if (!png)
        return QStringLiteral("cannot encode the picture");
    if (QFileInfo(path).isDir())
        return QStringLiteral("cannot write %1: it is a folder").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*png) != png->size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

} // namespace brolga::PngFile
