#include "export/draw/HeaderBand.h"

#include "brand/Brand.h"
#include "brand/LetterheadBand.h"

#include <QPainter>

#include <algorithm>

namespace brolga {

HeaderBand::HeaderBand(const Frame &frame, const QSizeF &mark, const QSizeF &stamp)
    : frame_(frame), mark_(mark), rightWidth_(std::max(mark.width(), stamp.width())),
      rightHeight_(mark.height() + stampSpacing + stamp.height())
{
}

std::vector<qreal> HeaderBand::place(const std::vector<Item> &items)
{
    qreal leftHeight = 0;
    for (const Item &item : items)
        leftHeight += item.lineHeight * qreal(item.lines);
    leftHeight += itemSpacing * qreal(items.size() - 1);

    const qreal content = std::max(leftHeight, rightHeight_);
    band_ = QRectF(0, 0, frame_.width, content + 2 * frame_.pad);
    markAt_ = QPointF(frame_.right - mark_.width(), frame_.pad + (content - rightHeight_) / 2);

    std::vector<qreal> tops;
    qreal y = frame_.pad + (content - leftHeight) / 2;
    for (const Item &item : items) {
        tops.push_back(y);
        for (int i = 0; i < item.lines; ++i)
            y += item.lineHeight;
        y += itemSpacing;
    }
    return tops;
}

void HeaderBand::paint(QPainter &painter, const QPalette &palette) const
{
    painter.fillRect(band_, LetterheadBand::field(palette, band_));
    painter.fillRect(QRectF(0, band_.bottom(), frame_.width, frame_.rule),
                     Brand::rgb(Brand::theme(palette).accentOnDark));
}

} // namespace brolga
