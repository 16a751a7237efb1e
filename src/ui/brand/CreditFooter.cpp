#include "ui/brand/CreditFooter.h"

#include "brand/Brand.h"
#include "brand/Credits.h"
#include "brand/Motion.h"
#include "calc/StampDuty.h"
#include "ui/brand/FractionalText.h"
#include "ui/brand/Icons.h"
#include "ui/brand/SaltbushCredit.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QVariantAnimation>

#include <cmath>

namespace brolga {

namespace {
constexpr qreal topPadding = 4;
constexpr qreal stackSpacing = 8;
constexpr qreal labelSpacing = 6;
constexpr qreal textSize = 8.5;
constexpr qreal disclaimerLineSpacing = 1.5;
constexpr qreal creditSize = 8.5;
// The chevron takes the width of an 8-pixel symbol; our artwork leaves margins, so it is drawn larger.
constexpr qreal chevronWidth = 9;
constexpr qreal chevronArtwork = 16;
constexpr int animationMs = 180;

FractionalText shortText()
{
    return {Credits::shortDisclaimer(), FractionalText::Face::sans, textSize, FontWeight::regular};
}
FractionalText fullText(const QString &text)
{
    return {text, FractionalText::Face::sans, textSize, FontWeight::regular};
}
} // namespace

QString CreditFooter::fullDisclaimer() const
{
    return Credits::fullDisclaimer(QString::fromLatin1(StampDuty::scalesAsAt), loanCostsEntered);
}

void CreditFooter::setLoanCostsEntered(bool entered)
{
    if (entered == loanCostsEntered)
        return;
    loanCostsEntered = entered;
    updateGeometry();
    update();
}

struct CreditFooter::Geometry {
    QRectF hairline;
    QRectF button;
    QRectF label;
    QPointF chevronCentre;
    QRectF disclaimer; // full height; only `disclaimerShown` of it is visible while animating
    qreal disclaimerShown = 0;
    QRectF credit;
    qreal height = 0;
};

CreditFooter::CreditFooter(QWidget *parent) : QWidget(parent), animation(new QVariantAnimation(this))
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(false);
    animation->setDuration(animationMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) { setProgress(v.toReal()); });
}

void CreditFooter::setExpanded(bool value)
{
    if (value == expanded)
        return;
    expanded = value;
    const qreal target = expanded ? 1.0 : 0.0;
    animation->stop();
    if (Motion::reduced()) {
        setProgress(target);
    } else {
        // Turning back half way starts from where the text is now.
        animation->setStartValue(progress_);
        animation->setEndValue(target);
        animation->setDuration(qMax(1, qRound(animationMs * std::abs(target - progress_))));
        animation->start();
    }
    emit expandedChanged(expanded);
}

bool CreditFooter::isAnimating() const
{
    return animation->state() == QAbstractAnimation::Running;
}

void CreditFooter::setProgress(qreal value)
{
    progress_ = value;
    updateGeometry();
    update();
}

QString CreditFooter::buttonToolTip() const
{
    return expanded ? QStringLiteral("Hide the full disclaimer") : QStringLiteral("Show the full disclaimer");
}

QRectF CreditFooter::buttonRect() const
{
    return geometryFor(width()).button;
}

CreditFooter::Geometry CreditFooter::geometryFor(qreal width) const
{
    Geometry g;
    qreal y = topPadding;
    g.hairline = QRectF(0, y, width, 1);
    y += 1 + stackSpacing;

    const FractionalText label = shortText();
    const qreal labelWidth = std::max(width - 2 * labelSpacing - chevronWidth, 1.0);
    const qreal labelHeight = label.heightForWidth(labelWidth, 0);
    g.label = QRectF(0, y, labelWidth, labelHeight);
    g.button = QRectF(0, y, width, labelHeight);
    // Sits on the first line, centred on its lower-case letters.
    g.chevronCentre = QPointF(width - chevronWidth / 2, y + label.ascent() - label.xHeight() / 2);
    y += labelHeight + stackSpacing;

    if (progress_ > 0) {
        const qreal full = fullText(fullDisclaimer()).heightForWidth(width, disclaimerLineSpacing);
        g.disclaimer = QRectF(0, y, width, full);
        g.disclaimerShown = full * progress_;
        y += (full + stackSpacing) * progress_;
    }

    const QSizeF credit = SaltbushCredit::naturalSize(creditSize);
    g.credit = QRectF(width - credit.width(), y, credit.width(), credit.height());
    y += credit.height();
    g.height = y;
    return g;
}

int CreditFooter::heightForWidth(int width) const
{
    return qCeil(geometryFor(width).height);
}

QSize CreditFooter::sizeHint() const
{
    const int w = width() > 0 ? width() : 360;
    return {w, heightForWidth(w)};
}

QSize CreditFooter::minimumSizeHint() const
{
    const int w = qCeil(SaltbushCredit::naturalSize(creditSize).width());
    return {w, heightForWidth(w)};
}

void CreditFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const Geometry g = geometryFor(width());

    p.fillRect(g.hairline, Brand::hairline(palette()));

    const QColor secondary = Brand::textSecondary(palette());
    p.save();
    if (pressed)
        p.setOpacity(0.6);
    shortText().drawWrapped(p, g.label, secondary, 0);
    p.translate(g.chevronCentre);
    p.rotate(180 * progress_);
    Icons::paint(p, QRectF(-chevronArtwork / 2, -chevronArtwork / 2, chevronArtwork, chevronArtwork),
                 QStringLiteral("chevron.down"), secondary);
    p.restore();

    if (g.disclaimerShown > 0) {
        p.save();
        p.setClipRect(QRectF(g.disclaimer.left(), g.disclaimer.top(), g.disclaimer.width(), g.disclaimerShown));
        p.setOpacity(progress_);
        fullText(fullDisclaimer()).drawWrapped(p, g.disclaimer, secondary, disclaimerLineSpacing);
        p.restore();
    }

    const auto ground = Brand::isDark(palette()) ? SaltbushCredit::Ground::dark : SaltbushCredit::Ground::light;
    SaltbushCredit::paint(p, palette(), g.credit.topLeft(), ground, creditSize);

    if (hasFocus()) {
        QColor ring = Brand::accent(palette());
        ring.setAlphaF(0.6f);
        p.setPen(QPen(ring, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(g.button.adjusted(-2, -2, 2, 2), 3, 3);
    }
}

bool CreditFooter::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QRectF button = buttonRect();
        if (button.contains(help->pos()))
            QToolTip::showText(help->globalPos(), buttonToolTip(), this, button.toAlignedRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CreditFooter::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && buttonRect().contains(event->position())) {
        pressed = true;
        update();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CreditFooter::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && pressed) {
        pressed = false;
        update();
        if (buttonRect().contains(event->position()))
            toggle();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void CreditFooter::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        toggle();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace brolga
