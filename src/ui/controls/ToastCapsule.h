#pragma once

#include <QWidget>

#include <optional>

class QVariantAnimation;

namespace brolga {

// The store's short message: a dark capsule with the wing, sliding up from the bottom edge while fading in,
// and leaving the same way. Its parent places it; clicks pass through it.
class ToastCapsule : public QWidget {
    Q_OBJECT
public:
    explicit ToastCapsule(QWidget *parent = nullptr);

    QString text() const { return text_; }
    // Present text slides in (or replaces what shows); absent text slides out.
    void setToast(const std::optional<QString> &text);
    // 0 gone ... 1 fully in.
    qreal progress() const { return progress_; }
    bool isShowing() const { return target_ > 0; }
    // The capsule's own size, without the room kept around it for the shadow.
    QSize capsuleSize() const;
    // Room at the capsule's end for a control its parent lays over it (the toast's Undo), and where that is.
    void setTrailingRoom(int width);
    QRect trailingRect() const;

    QSize sizeHint() const override;

    static constexpr int margin = 12; // room for the shadow
    static constexpr int animationMs = 180;

Q_SIGNALS:
    void progressChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString text_;
    int trailing_ = 0;
    qreal progress_ = 0;
    qreal target_ = 0;
    QVariantAnimation *animation_;
};

} // namespace brolga
