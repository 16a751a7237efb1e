#include "ui/access/AccessibleChoices.h"

#include "ui/access/Accessibility.h"
#include "ui/access/AccessibleItem.h"

#include <QWidget>

namespace brolga {

AccessibleChoices::AccessibleChoices(QWidget *widget, Source source)
    : AccessibleItems(widget, QAccessible::PageTabList), source_(std::move(source))
{
}

QString AccessibleChoices::itemText(int index, QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return source_.label(index);
    return {};
}

QAccessible::State AccessibleChoices::itemState(int index) const
{
    QAccessible::State s = AccessibleItems::itemState(index);
    const bool picked = index == source_.selected();
    s.selectable = true;
    s.selected = picked;
    s.focused = picked && widget()->hasFocus();
    return s;
}

QString AccessibleChoices::text(QAccessible::Text t) const
{
    // The selected tab doubles as the list's value, as a combo box's current item does.
    if (t == QAccessible::Value) {
        const int picked = source_.selected();
        return picked >= 0 ? source_.label(picked) : QString();
    }
    return AccessibleItems::text(t);
}

QAccessible::State AccessibleChoices::state() const
{
    QAccessible::State s = AccessibleItems::state();
    s.focusable = widget()->focusPolicy() != Qt::NoFocus;
    return s;
}

QAccessibleInterface *AccessibleChoices::focusChild() const
{
    if (!widget()->hasFocus())
        return nullptr;
    return item(source_.selected());
}

void AccessibleChoices::announceSelection(QWidget *widget, int before, int after)
{
    if (before == after || !widget->isVisible())
        return;
    auto *choices = dynamic_cast<AccessibleChoices *>(QAccessible::queryAccessibleInterface(widget));
    if (!choices)
        return;
    for (int index : {before, after}) {
        if (index < 0 || index >= choices->itemCount())
            continue;
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(choices->item(index), changed);
        Accessibility::send(&event);
    }
    if (after >= 0 && after < choices->itemCount()) {
        QAccessibleEvent selection(choices->item(after), QAccessible::Selection);
        Accessibility::send(&selection);
        if (widget->hasFocus()) {
            QAccessibleEvent focus(choices->item(after), QAccessible::Focus);
            Accessibility::send(&focus);
        }
    }
}

} // namespace brolga
