#include "CardOutput.h"

#include "PngFile.h"

#include "brand/Brand.h"
#include "brand/ThemePalette.h"
#include "core/CalculatorStore.h"
#include "export/card/ExportCard.h"
#include "ui/brand/BrandAssetStore.h"

#include <QFileInfo>

#include <cstdio>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif


namespace brolga::CardOutput {

namespace {

// libpng prints its own "libpng error: ..." lines straight to standard error; the tool's errors are one line.
class QuietStandardError {
public:
    QuietStandardError()
    {
#if defined(Q_OS_UNIX)
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
#endif
    }
    ~QuietStandardError()
    {
#if defined(Q_OS_UNIX)
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
#endif
    }
    QuietStandardError(const QuietStandardError &) = delete;
    QuietStandardError &operator=(const QuietStandardError &) = delete;

private:
    int saved_ = -1;
};

} // namespace

Logo readLogo(const QString &path)
{
    if (QFileInfo(path).isDir())
        return {std::nullopt, QStringLiteral("cannot use the logo %1: it is a folder").arg(path)};
    const BrandAssetStore::Checked checked = [&] {
        const QuietStandardError quiet;
        return BrandAssetStore::check(path);
    }();
    if (!checked.error.isEmpty())
        return {std::nullopt, QStringLiteral("cannot use the logo %1: %2").arg(path, checked.error)};
    return {checked.image, {}};
}

QString writeCard(const CalculatorStore &store, CalculatorTab tab, const Theme &theme,
                  const std::optional<QImage> &logo, const QString &path)
{
    ExportCard card(store, tab, logo, Brand::rgb(theme.ink));
    card.setPalette(ThemePalette::make(theme, Appearance::light));
    return PngFile::write(card.toImage(2), path);
}

} // namespace brolga::CardOutput
