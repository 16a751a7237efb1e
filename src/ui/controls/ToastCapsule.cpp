#include "ui/controls/ToastCapsule.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/Motion.h"
#include "ui/brand/WingMark.h"

#include <QPainter>
#include <QVariantAnimation>

#include <optional>

namespace brolga {

namespace {
constexpr qreal wingWidth = 13;
constexpr qreal gap = 6;
constexpr qreal padX = 13;
constexpr qreal padY = 8;
QFont toastFont() { return BrandType::sans(11, FontWeight::medium); }
} // namespace

ToastCapsule::ToastCapsule(QWidget *parent) : QWidget(parent), animation_(new QVariantAnimation(this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    animation_->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        progress_ = value.toReal();
        setVisible(progress_ > 0);
        update();
        Q_EMIT progressChanged();
    });
    hide();
}

void ToastCapsule::setToast(const std::optional<QString> &text)
{
    if (text) {
        text_ = *text;
        updateGeometry();
        resize(sizeHint());
    }
    const qreal target = text ? 1 : 0;
    update();
    if (target == target_ && animation_->state() != QAbstractAnimation::Running && progress_ == target)
        return;
    target_ = target;
    animation_->stop();
    if (Motion::reduced()) {
        progress_ = target;
        setVisible(progress_ > 0);
        Q_EMIT progressChanged();
        return;
    }
    animation_->setDuration(animationMs);
    animation_->setStartValue(progress_);
    animation_->setEndValue(target);
    if (target > 0)
        show();
    animation_->start();
}

QSize ToastCapsule::capsuleSize() const
{
    const QFontMetricsF fm(toastFont());
    const qreal w = padX + wingWidth + gap + fm.horizontalAdvance(text_) + (trailing_ > 0 ? gap + trailing_ : 0) + padX;
    const qreal h = padY + std::max(fm.height(), wingWidth * WingMark::aspect) + padY;
    return QSizeF(w, h).toSize() + QSize(1, 1);
}

void ToastCapsule::setTrailingRoom(int width)
{
    trailing_ = width;
    updateGeometry();
}

QRect ToastCapsule::trailingRect() const
{
    const QSize capsule = capsuleSize();
    return QRect(margin + capsule.width() - int(padX) - trailing_, margin, trailing_, capsule.height());
}

QSize ToastCapsule::sizeHint() const { return capsuleSize() + QSize(2 * margin, 2 * margin); }

void ToastCapsule::paintEvent(QPaintEvent *)
{
    if (progress_ <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setOpacity(progress_);
    const Theme &theme = Brand::theme(palette());
    const QRectF capsule(QPointF(margin, margin), QSizeF(capsuleSize()));
    const qreal r = capsule.height() / 2;

    // Soft shadow, 3 below.
    for (int i = 4; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 16 / i + 4));
        const QRectF s = capsule.adjusted(-i, 3 - i + 1, i, 3 + i);
        p.drawRoundedRect(s, r + i, r + i);
    }
    QColor fill = Brand::rgb(theme.dark);
    fill.setAlphaF(0.96);
    QColor outline = Brand::rgb(theme.accentOnDark);
    outline.setAlphaF(0.45);
    p.setBrush(fill);
    p.setPen(QPen(outline, 1));
    p.drawRoundedRect(capsule.adjusted(0.5, 0.5, -0.5, -0.5), r, r);

    const qreal wingH = wingWidth * WingMark::aspect;
    WingMark::paint(p, QRectF(capsule.left() + padX, capsule.center().y() - wingH / 2, wingWidth, wingH),
                    Brand::rgb(theme.accentOnDark));
    p.setFont(toastFont());
    p.setPen(Brand::rgb(theme.textPrimaryDark));
    const QFontMetricsF fm(toastFont());
    p.drawText(QPointF(capsule.left() + padX + wingWidth + gap, capsule.center().y() - fm.height() / 2 + fm.ascent()),
               text_);
}

} // namespace brolga
