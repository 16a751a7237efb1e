#pragma once

#include "ui/access/AccessibleItems.h"

#include <functional>

namespace brolga {

// A drawn tab list of which one tab is selected (the settings window's tab bar), reached through a few
// functions. Qt's own tab bar (6.4) names itself by its current tab and marks no tab selected.
class AccessibleChoices : public AccessibleItems {
public:
    struct Source {
        std::function<int()> count;
        std::function<QString(int)> label;
        std::function<int()> selected;
        std::function<QRect(int)> rect;
        std::function<void(int)> select;
    };

    AccessibleChoices(QWidget *widget, Source source);

    // Tells readers that the choice moved from `before` to `after` (either may be -1).
    static void announceSelection(QWidget *widget, int before, int after);

    int itemCount() const override { return source_.count(); }
    QAccessible::Role itemRole() const override { return QAccessible::PageTab; }
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override { return source_.rect(index); }
    QAccessible::State itemState(int index) const override;
    bool canPressItem() const override { return true; }
    void pressItem(int index) override { source_.select(index); }

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    // While the widget has focus, the picked choice is what a reader announces.
    QAccessibleInterface *focusChild() const override;

private:
    Source source_;
};

} // namespace brolga
