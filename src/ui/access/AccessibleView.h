#pragma once

#include <QAccessibleWidget>

#include <functional>

namespace brolga {

// What a drawn widget tells assistive technology: a role, a name and, for a figure, the value as shown
// ("Monthly repayment", "$3,934.77 per month"). The value (or, without one, the name) is also offered as
// read-only text, which is how AT-SPI readers fetch a label's words; announce() tells them it changed.
class AccessibleView : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleValueInterface {
public:
    struct Description {
        QAccessible::Role role = QAccessible::StaticText;
        std::function<QString()> name = {};
        std::function<QString()> value = {};
        std::function<void(QAccessible::State &)> state = {};
        // The default action, for the drawn buttons.
        std::function<void()> press = {};
    };

    AccessibleView(QWidget *widget, Description description);

    // What a reader reads as this object's content: the value, or the name when there is none.
    QString content() const;

    // Sends value-changed and text-changed events for `widget` when its content differs from what was last
    // announced, an assistive technology is listening and the widget is on screen.
    static void announce(QWidget *widget);
    // Sends an alert for `widget` (the toast), so readers speak it without moving focus.
    static void alert(QWidget *widget);

    // "/mth" read as "per month", "/wk" as "per week", "/ftn" as "per fortnight".
    static QString spoken(const QString &shown);

    // One object for a reader: the labels a figure is drawn with are not read again on their own.
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // Read-only text.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return int(content().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // The figure as shown, as the value; figures cannot be set.
    QVariant currentValue() const override { return value(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    QString value() const;

    Description d_;
    QString announced_;
    bool announcedOnce_ = false;
};

} // namespace brolga
