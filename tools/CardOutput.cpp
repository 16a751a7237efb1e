#include "CardOutput.h"

#include "brand/Brand.h"
#include "brand/BrandAssetStore.h"
#include "core/CalculatorStore.h"
#include "export/ExportCard.h"
#include "export/SnapshotExporter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <algorithm>

namespace brolga::CardOutput {

Logo readLogo(const QString &path)
{
    auto failed = [&](const QString &why) { return Logo{std::nullopt, QStringLiteral("cannot use the logo %1: %2").arg(path, why)}; };
    QFile file(path);
    if (QFileInfo(path).isDir())
        return failed(QStringLiteral("it is a folder"));
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    const QByteArray bytes = file.read(BrandAssetStore::maxBytes + 1);
    if (bytes.size() > BrandAssetStore::maxBytes)
        return failed(BrandAssetStore::describe(BrandAssetStore::ImportError::tooLarge));

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    const int previous = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(BrandAssetStore::decodeLimitMB);
    const QImage image = reader.read();
    QImageReader::setAllocationLimit(previous);
    if (image.isNull())
        return failed(BrandAssetStore::describe(BrandAssetStore::ImportError::unreadable));
    if (std::max(image.width(), image.height()) < BrandAssetStore::minLongEdge)
        return failed(BrandAssetStore::describe(BrandAssetStore::ImportError::tooSmall));
    return {image, {}};
}

QString writeCard(const CalculatorStore &store, CalculatorTab tab, const std::optional<QImage> &logo,
                  const QString &path)
{
    ExportCard card(store, tab, logo, Brand::rgb(ThemeRuntime::current().ink));
    const auto png = SnapshotExporter::pngData(card.toImage(2));
    if (!png)
        return QStringLiteral("cannot draw the card");
    if (QFileInfo(path).isDir())
        return QStringLiteral("cannot write %1: it is a folder").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*png) != png->size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

} // namespace brolga::CardOutput
