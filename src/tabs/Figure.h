#pragma once

#include <QString>

namespace brolga {

// Where a figure is shown: the tab's screen, the copied text summary, the export card.
enum class Surface : unsigned { screen = 1, text = 2, card = 4 };
// Sets of surfaces, for Figure::surfaces.
inline constexpr unsigned onScreen = unsigned(Surface::screen);
inline constexpr unsigned onText = unsigned(Surface::text);
inline constexpr unsigned onCard = unsigned(Surface::card);
inline constexpr unsigned exported = onText | onCard;
inline constexpr unsigned everywhere = onScreen | exported;

// How a screen colours a figure; the text and the card show every figure alike.
enum class Tint { plain, good, bad, accent };

// One labelled figure of a tab, worked out and worded once for every surface that shows it.
struct Figure {
    QString id{};    // how a screen finds it
    QString label{}; // as the card shows it, and the other surfaces unless they word it their own way
    QString value{}; // "$600,000", "6.09%"
    QString unit{};  // "/mth" after a payment; a screen may show it apart from the value
    Tint tint = Tint::plain;
    unsigned surfaces = everywhere;
    QString textLabel{};    // the text summary's wording, when it differs
    QString screenLabel{};  // the screen's wording, when it differs
    bool gapBefore = false; // the text summary leaves a blank line before it

    QString text() const { return value + unit; }
    bool on(Surface s) const { return surfaces & unsigned(s); }
    QString labelOn(Surface s) const
    {
        if (s == Surface::text && !textLabel.isEmpty())
            return textLabel;
        if (s == Surface::screen && !screenLabel.isEmpty())
            return screenLabel;
        return label;
    }
};

} // namespace brolga
