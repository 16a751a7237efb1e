#include "app/clients/ClientRowDelegate.h"

#include "app/clients/ClientListModel.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"

#include <QPainter>

namespace brolga {

void ClientRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF row = QRectF(option.rect).adjusted(2, 1, -2, -1);
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) {
        QColor fill = Brand::accent(option.palette);
        fill.setAlphaF(option.state & QStyle::State_HasFocus || option.state & QStyle::State_Active ? 0.18 : 0.10);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(row, 6, 6);
    }
    const QRect box = option.rect.adjusted(padding, 0, -padding, 0);
    const QFont dateFont = BrandType::sans(10);
    const QString date = index.data(ClientListModel::changedTextRole).toString();
    const int dateWidth = QFontMetrics(dateFont).horizontalAdvance(date);
    painter->setFont(dateFont);
    painter->setPen(Brand::textSecondary(option.palette));
    painter->drawText(box, Qt::AlignRight | Qt::AlignVCenter, date);

    const QFont nameFont = BrandType::sans(12, selected ? FontWeight::medium : FontWeight::regular);
    const QRect nameBox = box.adjusted(0, 0, -(dateWidth + padding), 0);
    painter->setFont(nameFont);
    painter->setPen(Brand::textPrimary(option.palette));
    painter->drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(nameFont).elidedText(index.data().toString(), Qt::ElideRight, nameBox.width()));
    painter->restore();
}

QSize ClientRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return {option.rect.width(), rowHeight};
}

} // namespace brolga
