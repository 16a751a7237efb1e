#pragma once

#include "tabs/Figure.h"
#include "ui/controls/ResultRow.h"

namespace brolga::FigureRows {

// The colour a screen gives a figure's tint; empty for the ordinary text colour.
ResultRow::Tint tint(Tint tint);

// Shows `figure` in `row` as the screen words it, or hides the row when the tab has no such figure now.
void show(ResultRow *row, const Figure *figure);

} // namespace brolga::FigureRows
