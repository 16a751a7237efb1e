#pragma once

#include <QWidget>

namespace brolga {

// The pointer's borderless window: an arrow pointing up at the tray icon above a navy bubble with the wing
// and two lines of text. It never takes focus or clicks.
class CoachMarkView : public QWidget {
    Q_OBJECT
public:
    explicit CoachMarkView(qreal arrowInsetFromRight = 40, QWidget *parent = nullptr);

    qreal arrowInsetFromRight() const { return arrowInset_; }

    static constexpr qreal arrowWidth = 17;
    static constexpr qreal arrowHeight = 9;
    static constexpr qreal radius = 11;
    static const QString &title();
    static const QString &message();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal arrowInset_;
};

} // namespace brolga
