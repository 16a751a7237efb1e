#pragma once

#include <QAbstractButton>
#include <QPointer>

class QAction;

namespace brolga {

// One of the window tools in the header: a 12-pixel symbol in a 20 × 20 frame that takes clicks over its
// whole rectangle, in the theme's accent on dark when active and in dimmed white otherwise. It shows a
// command's action: a click triggers it, and the tool tip (its name to a reader), the check and whether it
// can be used follow the action. A checkable action shows `symbol` when checked, `uncheckedSymbol` when not.
class HeaderButton : public QAbstractButton {
    Q_OBJECT
public:
    HeaderButton(QAction *action, const QString &symbol, const QString &uncheckedSymbol = {},
                 QWidget *parent = nullptr);

    QAction *action() const { return action_; }
    QString symbol() const { return symbol_; }
    bool isActive() const { return active_; }
    QColor symbolColour() const;

    QSize sizeHint() const override { return {20, 20}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr qreal symbolSize = 12;

protected:
    // A reader knows the button by its tool tip, which follows the pin's state.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // The action decides the check; a click only triggers it.
    void nextCheckState() override {}

private:
    void followAction();

    QPointer<QAction> action_;
    QString checkedSymbol_;
    QString uncheckedSymbol_;
    QString symbol_;
    bool active_ = false;
};

} // namespace brolga
