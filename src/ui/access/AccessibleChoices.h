#pragma once

#include "ui/access/AccessibleItems.h"

#include <functional>

namespace brolga {

// A row of drawn choices of which one is picked: a tab list whose tabs are selected, or a group of radio
// buttons of which one is checked. The widget is reached through a few functions, so the pill picker and
// the settings tab bar share it.
class AccessibleChoices : public AccessibleItems {
public:
    enum class Kind { tabs, radios };
    struct Source {
        std::function<int()> count;
        std::function<QString(int)> label;
        std::function<int()> selected;
        std::function<QRect(int)> rect;
        std::function<void(int)> select;
    };

    AccessibleChoices(QWidget *widget, Kind kind, Source source);

    // Tells readers that the choice moved from `before` to `after` (either may be -1).
    static void announceSelection(QWidget *widget, int before, int after);

    int itemCount() const override { return source_.count(); }
    QAccessible::Role itemRole() const override;
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
    Kind kind_;
    Source source_;
};

} // namespace brolga
