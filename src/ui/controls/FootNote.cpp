#include "ui/controls/FootNote.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"

namespace brolga {

FootNote::FootNote(const QString &text, QWidget *parent)
    : BrandLabel(text, BrandType::sans(9.5, FontWeight::regular), &Brand::textSecondary, parent)
{
    setWrapping(true, 1.5);
}

} // namespace brolga
