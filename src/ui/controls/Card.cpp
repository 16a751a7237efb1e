#include "ui/controls/Card.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/controls/BrandLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace brolga {

Card::Card(const QString &title, QWidget *accessory, QWidget *parent) : QWidget(parent), title_(title)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(10);

    header_ = new QWidget(this);
    headerRow_ = new QHBoxLayout(header_);
    headerRow_->setContentsMargins(0, 0, 0, 0);
    headerRow_->setSpacing(6);
    QFont captionFont = BrandType::sans(9.5, FontWeight::semibold);
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.71);
    titleLabel_ = new BrandLabel(title.toUpper(), captionFont, &Brand::textSecondary, header_);
    headerRow_->addWidget(titleLabel_);
    headerRow_->addSpacing(4 - headerRow_->spacing() > 0 ? 4 - headerRow_->spacing() : 0);
    headerRow_->addStretch(1);
    column->addWidget(header_);

    body_ = new QVBoxLayout;
    body_->setContentsMargins(0, 0, 0, 0);
    body_->setSpacing(10);
    column->addLayout(body_);

    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setAccessory(accessory);
}

void Card::addContent(QWidget *content) { body_->addWidget(content); }

void Card::setTitle(const QString &title)
{
    title_ = title;
    titleLabel_->setText(title.toUpper());
    updateHeader();
}

void Card::setAccessory(QWidget *accessory)
{
    if (accessory_ == accessory)
        return updateHeader();
    if (accessory_) {
        headerRow_->removeWidget(accessory_);
        accessory_->deleteLater();
    }
    accessory_ = accessory;
    if (accessory_) {
        accessory_->setParent(header_);
        headerRow_->addWidget(accessory_, 0, Qt::AlignVCenter);
        accessory_->show();
    }
    updateHeader();
}

bool Card::hasHeader() const { return !title_.isEmpty() || accessory_; }

QRect Card::headerGeometry() const { return header_->geometry(); }

void Card::updateHeader()
{
    titleLabel_->setVisible(!title_.isEmpty());
    header_->setVisible(hasHeader());
}

void Card::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect());
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::dynamic(palette(), 0xFFFFFF, Brand::theme(palette()).surfaceDark));
    p.drawRoundedRect(box, radius, radius);
    p.setPen(QPen(Brand::hairline(palette()), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
}

} // namespace brolga
