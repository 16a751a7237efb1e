#pragma once

#include <QAbstractButton>

#include <functional>

namespace brolga {

// The one prominent action of a screen: a full-width rounded button on the theme's navy gradient.
class PrimaryActionButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PrimaryActionButton(const QString &title, std::function<void()> action = {}, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr qreal radius = 8;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace brolga
