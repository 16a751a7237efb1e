#include "ui/YearlyTableView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/access/AccessibleItems.h"
#include "ui/controls/TabularDigits.h"

#include <QPaintEvent>
#include <QPainter>

namespace brolga {

namespace {
QFont headerFont()
{
    QFont f = BrandType::sans(9, FontWeight::semibold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    return f;
}
QFont bodyFont() { return tabularDigits(BrandType::sans(11, FontWeight::regular)); }

// Column edges: the year narrow on the left, the three amounts right-aligned in equal columns.
constexpr qreal yearShare = 0.13;
} // namespace

YearlyTableView::YearlyTableView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void YearlyTableView::setLines(std::vector<YearlyLine> lines)
{
    if (lines == lines_)
        return;
    const bool resized = lines.size() != lines_.size();
    lines_ = std::move(lines);
    if (resized) {
        setFixedHeight(sizeHint().height());
        updateGeometry();
    }
    update();
    AccessibleItems::announceChildren(this);
}

QSize YearlyTableView::sizeHint() const { return {300, headerHeight + 1 + lineCount() * lineHeight}; }
QSize YearlyTableView::minimumSizeHint() const { return {160, sizeHint().height()}; }

void YearlyTableView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal w = width();
    const qreal yearW = w * yearShare;
    const qreal amountW = (w - yearW) / 3;
    auto cell = [&](int column, qreal top, qreal height) {
        if (column == 0)
            return QRectF(0, top, yearW, height);
        return QRectF(yearW + (column - 1) * amountW, top, amountW, height);
    };

    p.setFont(headerFont());
    p.setPen(Brand::textSecondary(palette()));
    const auto header = YearlyTable::header();
    for (int c = 0; c < 4; ++c)
        p.drawText(cell(c, 0, headerHeight).adjusted(c == 0 ? 4 : 0, 0, c == 3 ? -4 : 0, 0),
                   (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, header[std::size_t(c)]);
    p.fillRect(QRectF(0, headerHeight, w, 1), Brand::hairline(palette()));

    const QRect dirty = event->rect();
    p.setFont(bodyFont());
    for (int i = 0; i < lineCount(); ++i) {
        const qreal top = headerHeight + 1 + i * lineHeight;
        if (top > dirty.bottom() || top + lineHeight < dirty.top())
            continue;
        if (i % 2 == 1)
            p.fillRect(QRectF(0, top, w, lineHeight), Brand::field(palette()));
        const auto texts = lineTexts(i);
        p.setPen(Brand::textSecondary(palette()));
        p.drawText(cell(0, top, lineHeight).adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, texts[0]);
        p.setPen(Brand::textPrimary(palette()));
        for (int c = 1; c < 4; ++c)
            p.drawText(cell(c, top, lineHeight).adjusted(0, 0, c == 3 ? -4 : 0, 0), Qt::AlignRight | Qt::AlignVCenter,
                       texts[std::size_t(c)]);
    }
}

} // namespace brolga
