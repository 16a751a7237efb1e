#pragma once

#include <QtGlobal>

#include <algorithm>

namespace brolga {

// A result as the card and the report list it: label and figure on one first baseline, the figure flush right
// taking what it needs, the label wrapping in what is left, a hairline under both.
struct ResultRow {
    static constexpr qreal ruleSpacing = 5; // from the taller side to the hairline
    qreal labelTop = 0;
    qreal valueTop = 0;

    ResultRow(qreal labelAscent, qreal valueAscent)
        : labelTop(std::max(labelAscent, valueAscent) - labelAscent),
          valueTop(std::max(labelAscent, valueAscent) - valueAscent)
    {
    }

    // The label's width beside a figure `valueWidth` wide, `gap` apart; never too narrow for a word.
    static qreal labelWidth(qreal width, qreal valueWidth, qreal gap)
    {
        return std::max<qreal>(width - gap - valueWidth, 40);
    }
    // From the row's top to the foot of its taller side.
    qreal height(qreal labelHeight, qreal valueHeight) const
    {
        return std::max(labelTop + labelHeight, valueTop + valueHeight);
    }
};

} // namespace brolga
