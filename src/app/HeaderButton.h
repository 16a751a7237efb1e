#pragma once

#include <QAbstractButton>

namespace brolga {

// One of the window tools in the header: a 12-pixel symbol in a 20 × 20 frame that takes clicks over its
// whole rectangle, in the theme's accent on dark when active and in dimmed white otherwise.
class HeaderButton : public QAbstractButton {
    Q_OBJECT
public:
    HeaderButton(const QString &symbol, const QString &help, QWidget *parent = nullptr);

    QString symbol() const { return symbol_; }
    void setSymbol(const QString &symbol);
    bool isActive() const { return active_; }
    void setActive(bool active);
    QColor symbolColour() const;

    QSize sizeHint() const override { return {20, 20}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr qreal symbolSize = 12;

protected:
    // A reader knows the button by its tool tip, which follows the pin's state.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString symbol_;
    bool active_ = false;
};

} // namespace brolga
