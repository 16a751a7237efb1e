#pragma once

#include "tabs/Figure.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace brolga {

// A line of prose after a tab's figures.
struct FigureNote {
    QString text{};
    unsigned surfaces = exported;
    bool gapBefore = false; // the text summary leaves a blank line before it
};

// One tab's results as data: the hero figure, the inputs they were worked from, the results and the notes,
// each in the order every surface lists them. The text summary lists the inputs, then the hero and results; the
// card puts the hero on top, the inputs in its grid and the results in rows; a screen picks figures by id.
struct TabFigures {
    // Without a result the exports say so instead of listing figures.
    bool hasResult = true;
    QString noResultText;
    QString noResultCard;

    Figure hero;
    std::vector<Figure> inputs;
    std::vector<Figure> results;
    std::vector<FigureNote> notes;
    // Principal and total interest, for the ring beside the card's rows.
    std::optional<std::pair<double, double>> ring;

    // The figure with `id` among the hero, inputs and results; nullptr if there is none.
    const Figure *find(QStringView id) const;
    // As find(), for a figure the tab always describes: an empty figure if it is missing.
    const Figure &at(QStringView id) const;
    // The figures of `section` shown on `surface`, in order.
    static std::vector<Figure> on(const std::vector<Figure> &section, Surface surface);
};

} // namespace brolga
