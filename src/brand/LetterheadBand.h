#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPalette>
#include <QRectF>

#include <array>

namespace brolga {

// The dark band atop the export card and the client report, and the colours of what it carries. The band runs
// from the theme's lift to its dark, the lift end darkened just so far that every text on it reads at
// `minContrast` or better: a client report is printed, often in grey, and small text needs that much.
class LetterheadBand {
  public:
    enum class Text { title, preparedFor, identity, contact, stamp };
    static constexpr std::array texts{Text::title, Text::preparedFor, Text::identity, Text::contact, Text::stamp};
    static constexpr double minContrast = 4.5;

    static QColor text(const QPalette &palette, Text which);
    // The band's lighter end (top left) and darker end (bottom right).
    static QColor lightEnd(const QPalette &palette);
    static QColor darkEnd(const QPalette &palette);
    static QLinearGradient field(const QPalette &palette, const QRectF &rect);

    // The contrast ratio of `fg`, laid over the opaque `bg` as its alpha says, against `bg`: 1 to 21.
    static double contrast(const QColor &fg, const QColor &bg);
};

} // namespace brolga
