#include "ScreenOutput.h"

#include "PngFile.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/CalculatorStore.h"
#include "ui/ScreenFactory.h"
#include "ui/binding/StoreBinding.h"
#include "ui/controls/BrandDateField.h"

#include <QCalendarWidget>

#include <QVBoxLayout>

#include <memory>

namespace brolga::ScreenOutput {

namespace {

constexpr int windowWidth = 470;
constexpr int padding = 12;
constexpr qreal scale = 2;

} // namespace

QImage render(CalculatorStore &store, CalculatorTab tab, bool dark)
{
    BrandType::registerFonts();
    const auto previous = Brand::forcedAppearance();
    Brand::forceAppearance(dark ? Appearance::dark : Appearance::light);

    auto column = std::make_unique<QWidget>();
    column->setAttribute(Qt::WA_DontShowOnScreen);
    auto *layout = new QVBoxLayout(column.get());
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->addWidget(ScreenFactory::make(tab, store, column.get()));
    layout->addStretch();
    column->setFixedWidth(windowWidth);
    column->show();
    layout->activate();
    const int height = layout->hasHeightForWidth() ? layout->totalHeightForWidth(windowWidth)
                                                   : column->sizeHint().height();
    column->setFixedHeight(height);
    layout->activate();

    QImage image(QSize(windowWidth, height) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Brand::canvas());
    column->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

    Brand::forceAppearance(previous);
    return image;
}

QString writeScreen(CalculatorStore &store, CalculatorTab tab, bool dark, const QString &path)
{
    return PngFile::write(render(store, tab, dark), path);
}

QString writeCalendar(CalculatorStore &store, bool dark, const QString &path)
{
    BrandType::registerFonts();
    const auto previous = Brand::forcedAppearance();
    Brand::forceAppearance(dark ? Appearance::dark : Appearance::light);

    auto host = std::make_unique<QWidget>();
    host->setAttribute(Qt::WA_DontShowOnScreen);
    auto *layout = new QVBoxLayout(host.get());
    std::unique_ptr<BrandDateField> field(StoreBinding::dateField(
        store, &CalculatorState::ytdPeriodEnd, [&store] { return store.now().date(); }, QStringLiteral("Period end"),
        host.get()));
    layout->addWidget(field.get());
    host->show();
    field->openCalendar();
    QWidget *popup = field->calendar()->window();
    popup->ensurePolished();

    QImage image(popup->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Brand::field());
    popup->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    popup->hide();

    Brand::forceAppearance(previous);
    return PngFile::write(image, path);
}

} // namespace brolga::ScreenOutput
