#pragma once

#include <QStyledItemDelegate>

namespace brolga {

// One client in the list: the name on the left, when it last changed in secondary text on the right.
class ClientRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr int rowHeight = 34;
    static constexpr int padding = 10;
};

} // namespace brolga
