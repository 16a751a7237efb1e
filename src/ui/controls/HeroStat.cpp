#include "ui/controls/HeroStat.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/access/AccessibleView.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/TabularDigits.h"

#include <QPainter>
#include <QVBoxLayout>

namespace brolga {

namespace {
QColor white(qreal opacity)
{
    QColor c(Qt::white);
    c.setAlphaF(opacity);
    return c;
}
} // namespace

HeroStat::HeroStat(const QString &label, const QString &value, QWidget *parent) : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(2);
    label_ = new BrandLabel(
        label, BrandType::sans(9.5, FontWeight::regular), [](const QPalette &) { return white(0.55); }, this);
    value_ = new BrandLabel(value, tabularDigits(BrandType::sans(12.5, FontWeight::medium)),
                            [](const QPalette &palette) { return Brand::rgb(Brand::theme(palette).textPrimaryDark); },
                            this);
    value_->setMinimumScale(0.7);
    column->addWidget(label_);
    column->addWidget(value_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void HeroStat::setLabel(const QString &label) { label_->setText(label); }

void HeroStat::setValue(const QString &value)
{
    value_->setText(value);
    AccessibleView::announce(this);
}
QString HeroStat::label() const { return label_->text(); }
QString HeroStat::value() const { return value_->text(); }

void HeroStat::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect());
    p.setPen(Qt::NoPen);
    p.setBrush(white(0.07));
    p.drawRoundedRect(box, 6, 6);
    p.setPen(QPen(white(0.09), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 5.5, 5.5);
}

} // namespace brolga
