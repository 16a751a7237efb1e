#include "ui/access/AccessibleChoices.h"

#include "ui/access/Accessibility.h"
#include "ui/access/AccessibleItem.h"

#include <QWidget>

namespace brolga {

AccessibleChoices::AccessibleChoices(QWidget *widget, Kind kind, Source source)
    : AccessibleItems(widget, kind == Kind::tabs ? QAccessible::PageTabList : QAccessible::Grouping), kind_(kind),
      source_(std::move(source))
{
}

QAccessible::Role AccessibleChoices::itemRole() const
{
    return kind_ == Kind::tabs ? QAccessible::PageTab : QAccessible::RadioButton;
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
    if (kind_ == Kind::tabs) {
        s.selectable = true;
        s.selected = picked;
    } else {
        s.checkable = true;
        s.checked = picked;
    }
    s.focused = picked && widget()->hasFocus();
    return s;
}

QString AccessibleChoices::text(QAccessible::Text t) const
{
    // The picked choice doubles as the group's value, as a combo box's current item does.
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
        if (choices->kind_ == Kind::tabs)
            changed.selected = true;
        else
            changed.checked = true;
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
