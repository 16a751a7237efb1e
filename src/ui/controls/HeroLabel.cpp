#include "ui/controls/HeroLabel.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"

namespace brolga {

namespace {
QFont captionFont()
{
    QFont font = BrandType::sans(9.5, FontWeight::semibold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.71);
    return font;
}

BrandLabel::Colour accent(std::optional<bool> positive)
{
    return [positive](const QPalette &palette) { return Brand::heroAccent(palette, positive); };
}
} // namespace

HeroLabel::HeroLabel(const QString &text, QWidget *parent)
    : BrandLabel(text.toUpper(), captionFont(), accent(std::nullopt), parent), caption_(text)
{
}

void HeroLabel::setCaption(const QString &text)
{
    caption_ = text;
    setText(text.toUpper());
}

void HeroLabel::setPositive(std::optional<bool> positive)
{
    // The same verdict on every keystroke repaints nothing.
    if (positive == positive_)
        return;
    positive_ = positive;
    setColour(accent(positive));
}

} // namespace brolga
