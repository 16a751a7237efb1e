#include "ui/controls/PillButton.h"

#include "brand/BrandType.h"

namespace brolga {

PillButton::PillButton(const QString &label, QWidget *parent)
    : QRadioButton(QString(label).replace(u'&', QStringLiteral("&&")), parent), label_(label)
{
    setFocusPolicy(Qt::NoFocus);
}

void PillButton::place(const QRectF &pill)
{
    const QRect cover = pill.toAlignedRect();
    setGeometry(cover);
    face_ = pill.translated(-cover.topLeft());
}

void PillButton::setShown(qreal shown)
{
    shown_ = shown;
    update();
}

QFont PillButton::labelFont(bool picked)
{
    return BrandType::sans(11, picked ? FontWeight::semibold : FontWeight::medium);
}

} // namespace brolga
