#pragma once

#include <QAccessibleWidget>

#include <QList>

namespace brolga {

class AccessibleItem;

// A widget that draws several parts a reader should reach one by one: the pills of a picker, the lines of
// the yearly table. Each part is an AccessibleItem child, made when first asked for and kept while the
// widget lives; subclasses say how many parts there are and what each one is.
class AccessibleItems : public QAccessibleWidget {
public:
    AccessibleItems(QWidget *widget, QAccessible::Role role);
    ~AccessibleItems() override;

    virtual int itemCount() const = 0;
    virtual QAccessible::Role itemRole() const = 0;
    virtual QString itemText(int index, QAccessible::Text t) const = 0;
    // In the widget's coordinates.
    virtual QRect itemRect(int index) const = 0;
    virtual QAccessible::State itemState(int index) const;
    // The item's default action; none unless a subclass gives one.
    virtual bool canPressItem() const { return false; }
    virtual void pressItem(int) {}

    // Tells readers that `widget`'s items changed, when one is listening.
    static void announceChildren(QWidget *widget);

    QWidget *view() const { return widget(); }

    // The interface of item `index`, or null outside the items.
    AccessibleItem *item(int index) const;

    int childCount() const override { return itemCount(); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

private:
    mutable QList<AccessibleItem *> items_;
};

} // namespace brolga
