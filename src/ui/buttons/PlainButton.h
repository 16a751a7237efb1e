#pragma once

#include <QAbstractButton>

#include <functional>

namespace brolga {

// A borderless button that is just its text or its symbol, in a colour looked up at paint time
// ("No thanks", the strip's close cross). The whole rectangle takes clicks.
class PlainButton : public QAbstractButton {
    Q_OBJECT
public:
    using Colour = std::function<QColor(const QPalette &)>;

    PlainButton(const QString &title, const QFont &font, Colour colour, std::function<void()> action,
                QWidget *parent = nullptr);
    // A symbol button: `symbolSize` is the symbol's side in logical pixels.
    static PlainButton *symbol(const QString &symbolName, qreal symbolSize, Colour colour,
                               std::function<void()> action, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // A symbol button is known by its tool tip once it has one.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Colour colour_;
    QString symbol_;
    qreal symbolSize_ = 0;
};

} // namespace brolga
