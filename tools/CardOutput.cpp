#include "CardOutput.h"

#include "PngFile.h"

#include "brand/Brand.h"
#include "brand/BrandAssetStore.h"
#include "core/CalculatorStore.h"
#include "export/ExportCard.h"

#include <QFileInfo>


namespace brolga::CardOutput {

Logo readLogo(const QString &path)
{
    if (QFileInfo(path).isDir())
        return {std::nullopt, QStringLiteral("cannot use the logo %1: it is a folder").arg(path)};
    const BrandAssetStore::Checked checked = BrandAssetStore::check(path);
    if (!checked.error.isEmpty())
        return {std::nullopt, QStringLiteral("cannot use the logo %1: %2").arg(path, checked.error)};
    return {checked.image, {}};
}

QString writeCard(const CalculatorStore &store, CalculatorTab tab, const std::optional<QImage> &logo,
                  const QString &path)
{
    ExportCard card(store, tab, logo, Brand::rgb(ThemeRuntime::current().ink));
    return PngFile::write(card.toImage(2), path);
}

} // namespace brolga::CardOutput
