#include "ui/brand/BrandRule.h"

#include "brand/Brand.h"

#include <QPainter>

namespace brolga {

BrandRule::BrandRule(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(1);
}

void BrandRule::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Brand::hairline(palette()));
}

} // namespace brolga
