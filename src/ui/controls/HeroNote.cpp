#include "ui/controls/HeroNote.h"

#include "brand/BrandType.h"

namespace brolga {

HeroNote::HeroNote(const QString &text, QWidget *parent)
    : BrandLabel(text, BrandType::sans(10.5, FontWeight::regular),
                 [](const QPalette &) {
                     QColor c(Qt::white);
                     c.setAlphaF(0.62);
                     return c;
                 },
                 parent)
{
    setWrapping(true);
}

} // namespace brolga
