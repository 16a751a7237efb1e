#include "ScreenOutput.h"

#include "PngFile.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/ThemePalette.h"
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

QImage render(CalculatorStore &store, CalculatorTab tab, const Theme &theme, bool dark)
{
    BrandType::registerFonts();
    auto column = std::make_unique<QWidget>();
    column->setAttribute(Qt::WA_DontShowOnScreen);
    column->setPalette(ThemePalette::make(theme, dark ? Appearance::dark : Appearance::light));
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
    image.fill(Brand::canvas(column->palette()));
    column->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QString writeScreen(CalculatorStore &store, CalculatorTab tab, const Theme &theme, bool dark, const QString &path)
{
    return PngFile::write(render(store, tab, theme, dark), path);
}

QString writeCalendar(CalculatorStore &store, const Theme &theme, bool dark, const QString &path)
{
    BrandType::registerFonts();
    auto host = std::make_unique<QWidget>();
    host->setAttribute(Qt::WA_DontShowOnScreen);
    host->setPalette(ThemePalette::make(theme, dark ? Appearance::dark : Appearance::light));
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
    image.fill(Brand::field(host->palette()));
    popup->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    popup->hide();
    return PngFile::write(image, path);
}

} // namespace brolga::ScreenOutput
