#include "ui/access/AccessibleItems.h"

#include "ui/access/Accessibility.h"
#include "ui/access/AccessibleItem.h"

#include <QWidget>

namespace brolga {

AccessibleItems::AccessibleItems(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

AccessibleItems::~AccessibleItems()
{
    for (AccessibleItem *item : std::as_const(items_))
        if (item)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(item));
}

void AccessibleItems::announceChildren(QWidget *widget)
{
    if (!widget->isVisible())
        return;
    QAccessibleEvent changed(widget, QAccessible::ObjectReorder);
    Accessibility::send(&changed);
}

QAccessible::State AccessibleItems::itemState(int) const
{
    QAccessible::State s;
    const QAccessible::State own = state();
    s.invisible = own.invisible;
    s.offscreen = own.offscreen;
    s.disabled = own.disabled;
    return s;
}

AccessibleItem *AccessibleItems::item(int index) const
{
    if (index < 0 || index >= itemCount())
        return nullptr;
    if (items_.size() <= index)
        items_.resize(index + 1, nullptr);
    if (!items_[index]) {
        items_[index] = new AccessibleItem(const_cast<AccessibleItems *>(this), index);
        QAccessible::registerAccessibleInterface(items_[index]);
    }
    return items_[index];
}

QAccessibleInterface *AccessibleItems::child(int index) const
{
    return item(index);
}

int AccessibleItems::indexOfChild(const QAccessibleInterface *child) const
{
    for (qsizetype i = 0; i < items_.size(); ++i)
        if (items_[i] == child)
            return i < itemCount() ? int(i) : -1;
    return -1;
}

QAccessibleInterface *AccessibleItems::childAt(int x, int y) const
{
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < itemCount(); ++i)
        if (itemRect(i).contains(local))
            return item(i);
    return nullptr;
}

} // namespace brolga
