#pragma once

#include <QString>

#include <optional>

namespace brolga {

// The text rules of a number field, kept apart from the widget so they can be tested on their own.
class NumberText {
public:
    // Lenient reading of what the user typed: digits, the first full stop and a leading minus are kept,
    // everything else (commas, "$", "%", spaces, letters) is dropped. Nothing left, or a lone minus, reads
    // as 0; a remainder that is not a plain decimal number ("." or non-ASCII digits) reads as nothing.
    static std::optional<double> parse(const QString &text);

    // Into [lower, upper]; a value that is not finite becomes the lower bound.
    static double clamp(double value, double lower, double upper);

    // decimals <= 0: rounded half to even and grouped with commas ("1,250,000"), whatever the locale, so
    // that the text reads back as the same figure. decimals >= 1: exactly that many fraction digits after
    // a full stop, no grouping ("6.20").
    static QString format(double value, int decimals);
};

} // namespace brolga
