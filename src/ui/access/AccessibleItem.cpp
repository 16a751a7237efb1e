#include "ui/access/AccessibleItem.h"

#include "ui/access/AccessibleItems.h"

#include <QWidget>

namespace brolga {

bool AccessibleItem::isValid() const
{
    return owner_->isValid() && index_ < owner_->itemCount();
}
QWindow *AccessibleItem::window() const
{
    return owner_->window();
}
QAccessibleInterface *AccessibleItem::parent() const
{
    return owner_;
}
QAccessible::Role AccessibleItem::role() const
{
    return owner_->itemRole();
}

QString AccessibleItem::text(QAccessible::Text t) const
{
    return isValid() ? owner_->itemText(index_, t) : QString();
}

QRect AccessibleItem::rect() const
{
    if (!isValid())
        return {};
    const QRect local = owner_->itemRect(index_);
    return QRect(owner_->view()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State AccessibleItem::state() const
{
    return isValid() ? owner_->itemState(index_) : QAccessible::State();
}

void *AccessibleItem::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
}

QStringList AccessibleItem::actionNames() const
{
    if (!isValid() || !owner_->canPressItem() || !owner_->view()->isEnabled())
        return {};
    return {pressAction()};
}

void AccessibleItem::doAction(const QString &actionName)
{
    if (actionName == pressAction() && isValid() && owner_->canPressItem() && owner_->view()->isEnabled())
        owner_->pressItem(index_);
}

} // namespace brolga
