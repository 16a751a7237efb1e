#include "ui/FigureRows.h"

#include "brand/Brand.h"

namespace brolga::FigureRows {

ResultRow::Tint tint(Tint tint)
{
    switch (tint) {
    case Tint::plain: return {};
    case Tint::good: return &Brand::good;
    case Tint::bad: return &Brand::bad;
    case Tint::accent: return &Brand::accent;
    }
    return {};
}

void show(ResultRow *row, const Figure *figure)
{
    if (row->isHidden() == (figure != nullptr))
        row->setVisible(figure != nullptr);
    if (!figure)
        return;
    if (const QString label = figure->labelOn(Surface::screen); label != row->label())
        row->setLabel(label);
    row->setValue(figure->text());
    row->setTint(tint(figure->tint));
}

} // namespace brolga::FigureRows
