#include "ui/controls/NumberText.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace brolga {

std::optional<double> NumberText::parse(const QString &text)
{
    std::u32string cleaned;
    bool seenPoint = false;
    for (const uint c : text.toUcs4()) {
        if (QChar::isNumber(c)) {
            cleaned += c;
        } else if (c == U'.') {
            if (!seenPoint)
                cleaned += c;
            seenPoint = true;
        } else if (c == U'-') {
            if (cleaned.empty())
                cleaned += c;
        }
    }
    if (cleaned.empty() || cleaned == U"-")
        return 0.0;

    // Read in the C locale and require every character to be used: "." or "-." or digits from other
    // scripts give nothing, so the bound value keeps its last good figure.
    std::string ascii;
    ascii.reserve(cleaned.size());
    for (const char32_t c : cleaned) {
        if (c > 0x7F)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    double value = 0;
    const char *first = ascii.data();
    const char *last = first + ascii.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (end != last)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Hundreds of digits: as strtod would, read as infinite (clamping then gives the lower bound) or,
        // for underflow, as zero.
        const bool huge = ascii.find_first_of("123456789") < ascii.find('.');
        const bool negative = ascii.front() == '-';
        if (!huge)
            return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

std::optional<double> NumberText::read(const QString &text, bool money)
{
    QString body = text.trimmed();
    double scale = 1;
    if (money && !body.isEmpty()) {
        const QChar last = body.back().toLower();
        if (last == u'k' || last == u'm') {
            scale = last == u'k' ? 1e3 : 1e6;
            body.chop(1);
            if (!std::any_of(body.cbegin(), body.cend(), [](QChar c) { return c.isDigit(); }))
                return std::nullopt;
        }
    }
    for (const uint c : body.toUcs4()) {
        const bool allowed = QChar::isNumber(c) || QChar::isSpace(c) || QChar::category(c) == QChar::Symbol_Currency ||
                             c == u'.' || c == u'-' || c == u',' || c == u'%';
        if (!allowed)
            return std::nullopt;
    }
    const auto value = parse(body);
    if (!value || scale == 1)
        return value;
    // 1.15 × 1e6 is not exactly 1,150,000 in binary; the dollars and cents are what was meant.
    return std::round(*value * scale * 100) / 100;
}

double NumberText::clamp(double value, double lower, double upper)
{
    if (!std::isfinite(value))
        return lower;
    return std::min(upper, std::max(lower, value));
}

QString NumberText::format(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (decimals >= 1)
        return QString::number(value, 'f', decimals);

    // nearbyint rounds half to even in the default rounding mode.
    double whole = std::nearbyint(value);
    if (whole == 0)
        whole = 0; // no "-0"
    const QString digits = QString::number(std::fabs(whole), 'f', 0);
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 1);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits[i];
    }
    return whole < 0 ? QLatin1Char('-') + grouped : grouped;
}

QString NumberText::formatMoney(double value)
{
    const double cents = std::round(value * 100);
    if (!std::isfinite(value) || std::fmod(cents, 100) == 0)
        return format(value, 0);
    const double whole = std::trunc(cents / 100);
    const int rest = int(std::fabs(cents - whole * 100));
    const QString dollars = format(whole, 0);
    // -0.50 has no whole dollars to carry the sign.
    const QString sign = value < 0 && whole == 0 ? QStringLiteral("-") : QString();
    return sign + dollars + u'.' + QString::number(rest).rightJustified(2, u'0');
}

} // namespace brolga
