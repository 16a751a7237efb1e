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

    // What a field makes of typed text: parse(), except that letters and symbols other than grouping commas,
    // spaces, currency and percent signs make the text unreadable instead of being dropped ("12abc" is not
    // 12). A money field also reads a trailing "k" as thousands and "m" as millions ("650k", "1.2m").
    static std::optional<double> read(const QString &text, bool money);

    // Into [lower, upper]; a value that is not finite becomes the lower bound.
    static double clamp(double value, double lower, double upper);

    // decimals <= 0: rounded half to even and grouped with commas ("1,250,000"), whatever the locale, so
    // that the text reads back as the same figure. decimals >= 1: exactly that many fraction digits after
    // a full stop, no grouping ("6.20").
    static QString format(double value, int decimals);

    // Money as a field shows it: whole dollars as format(value, 0), and the cents, grouped, when the value
    // has any ("3,846.15"), so a figure typed with cents is never shown rounded.
    static QString formatMoney(double value);
};

} // namespace brolga
