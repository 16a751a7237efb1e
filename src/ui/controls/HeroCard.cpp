#include "ui/controls/HeroCard.h"

#include "brand/Brand.h"
#include "ui/brand/WingMark.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace brolga {

HeroCard::HeroCard(HeroFill fill, QWidget *parent) : QWidget(parent), fill_(fill)
{
    body_ = new QVBoxLayout(this);
    body_->setContentsMargins(14, 14, 14, 14);
    body_->setSpacing(7);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    wing_ = new WingMark(QColor(Qt::white), wingWidth, this);
    auto *faint = new QGraphicsOpacityEffect(wing_);
    faint->setOpacity(wingOpacity);
    wing_->setGraphicsEffect(faint);
    wing_->setAttribute(Qt::WA_TransparentForMouseEvents);
    wing_->setFixedSize(wing_->sizeHint());
    wing_->raise();
}

void HeroCard::addContent(QWidget *content) { body_->addWidget(content); }

void HeroCard::setFill(HeroFill fill)
{
    if (fill == fill_)
        return;
    fill_ = fill;
    update();
}

void HeroCard::resizeEvent(QResizeEvent *event)
{
    if (wing_) {
        wing_->move(width() - wingInset - wing_->width(), wingInset);
        wing_->raise();
    }
    QWidget::resizeEvent(event);
}

void HeroCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect());
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    p.setClipPath(shape);
    p.setPen(Qt::NoPen);
    switch (fill_) {
    case HeroFill::navy: p.setBrush(Brand::navyField(palette(), box)); break;
    case HeroFill::positive: p.setBrush(Brand::verdictField(true, box)); break;
    case HeroFill::negative: p.setBrush(Brand::verdictField(false, box)); break;
    }
    p.drawPath(shape);
}

} // namespace brolga
