#pragma once

#include <QTimer>
#include <QWidget>

namespace brolga {

// A small up/down stepper beside a number field. Pressing a half steps once; holding it repeats.
class Stepper : public QWidget {
    Q_OBJECT
public:
    explicit Stepper(QWidget *parent = nullptr);

    QSize sizeHint() const override { return {width_, height_}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

    // 20 wide, as a system stepper drawn at three quarters of its size.
    static constexpr int width_ = 20;
    static constexpr int height_ = 17;

Q_SIGNALS:
    void stepUp();
    void stepDown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fire();

    enum class Half { none, up, down };
    Half pressed_ = Half::none;
    QTimer repeat_;
};

} // namespace brolga
