#include "ui/buttons/ThemeRow.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/brand/Icons.h"
#include "ui/controls/FocusRing.h"

#include <QPainter>
#include <QPainterPath>

namespace brolga {

namespace {
constexpr qreal pad = 8;
constexpr qreal swatchHeight = 26;
constexpr qreal swatchWidth = 16 + 10 + 16;
constexpr qreal spacing = 10;
constexpr qreal markSize = 14;
} // namespace

ThemeRow::ThemeRow(const Theme &theme, QWidget *parent) : QRadioButton(parent), theme_(theme)
{
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(theme.name);
    setAccessibleDescription(theme.blurb);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QColor ThemeRow::fill() const { return Brand::dynamic(palette(), 0xFFFFFF, 0x16233D); }

QSize ThemeRow::sizeHint() const
{
    const qreal text = QFontMetricsF(BrandType::sans(12, FontWeight::semibold)).height() + 1 +
                       QFontMetricsF(BrandType::sans(9.5)).height();
    return {300, int(std::ceil(2 * pad + std::max(swatchHeight, text)))};
}

void ThemeRow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75);
    p.setBrush(fill());
    p.setPen(isChecked() ? QPen(Brand::accent(palette()), 1.5) : QPen(Brand::hairline(palette()), 1));
    p.drawRoundedRect(box, 6, 6);

    const QRectF swatch(pad, (height() - swatchHeight) / 2, swatchWidth, swatchHeight);
    QPainterPath clip;
    clip.addRoundedRect(swatch, 4, 4);
    p.save();
    p.setClipPath(clip);
    p.fillRect(QRectF(swatch.left(), swatch.top(), 16, swatchHeight), Brand::rgb(theme_.dark));
    p.fillRect(QRectF(swatch.left() + 16, swatch.top(), 10, swatchHeight), Brand::rgb(theme_.accentOnDark));
    p.fillRect(QRectF(swatch.left() + 26, swatch.top(), 16, swatchHeight), Brand::rgb(theme_.paper));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Brand::hairline(palette()), 1));
    p.drawRoundedRect(swatch.adjusted(0.5, 0.5, -0.5, -0.5), 3.5, 3.5);

    const QFont nameFont = BrandType::sans(12, FontWeight::semibold);
    const QFont blurbFont = BrandType::sans(9.5);
    const QFontMetricsF nameMetrics(nameFont);
    const QFontMetricsF blurbMetrics(blurbFont);
    const qreal textLeft = swatch.right() + spacing;
    const qreal textRight = width() - pad - markSize - spacing;
    const qreal textHeight = nameMetrics.height() + 1 + blurbMetrics.height();
    const qreal top = (height() - textHeight) / 2;
    p.setFont(nameFont);
    p.setPen(Brand::textPrimary(palette()));
    p.drawText(QPointF(textLeft, top + nameMetrics.ascent()), theme_.name);
    p.setFont(blurbFont);
    p.setPen(Brand::textSecondary(palette()));
    p.drawText(QPointF(textLeft, top + nameMetrics.height() + 1 + blurbMetrics.ascent()),
               blurbMetrics.elidedText(theme_.blurb, Qt::ElideRight, textRight - textLeft));

    const QRectF mark(width() - pad - markSize, (height() - markSize) / 2, markSize, markSize);
    Icons::paint(p, mark, isChecked() ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle"),
                 isChecked() ? Brand::accent(palette()) : Brand::hairline(palette()));
    // Inside the outline, so it still shows on the chosen row, whose outline is already the accent.
    if (hasFocus())
        FocusRing::paint(p, QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 4, Brand::accent(palette()));
}

} // namespace brolga
