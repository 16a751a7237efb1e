#include "core/Format.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace brolga::Format {

namespace {

const QString &dash()
{
    static const QString d = QStringLiteral("\u2014");
    return d;
}

// Groups a string of digits in threes from the right: "1234567" -> "1,234,567".
QString grouped(const QString &digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

// Fixed notation in the C locale whatever the process locale (Qt sets it from the environment, and
// printf would then write "2,5" under a German locale). Rounds the exact binary value, as printf does.
QString fixed(double value, int decimals)
{
    char buf[512];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? QString::fromLatin1(buf, result.ptr - buf) : QString();
}

// A non-negative finite value times 10^decimals, rounded half to even, as a string of at least decimals + 1
// digits. The rounding works on the shortest decimal form that reads back as the same double (the digits a
// person sees), not on the binary value: 2.675 is stored as 2.67499999... yet is a tie and gives 2.68.
QString roundedDecimal(double value, int decimals)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string_view text(buf, result.ec == std::errc() ? size_t(result.ptr - buf) : 0);
    const size_t e = text.find('e');
    if (e == std::string_view::npos)
        return QString(decimals + 1, u'0');
    // "d.ddde+XX": the significant digits, and where the decimal point falls among them.
    std::string significant;
    for (char c : text.substr(0, e))
        if (c != '.')
            significant += c;
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    const long long point = exponent + 1;    // digits before the decimal point
    const long long keep = point + decimals; // digits of the scaled whole number
    const long long n = static_cast<long long>(significant.size());

    std::string kept;
    bool up = false;
    if (keep >= n) {
        kept = significant + std::string(size_t(keep - n), '0');
    } else if (keep >= 0) {
        kept = significant.substr(0, size_t(keep));
        const char next = significant[size_t(keep)];
        const bool restNonZero = significant.find_first_not_of('0', size_t(keep) + 1) != std::string::npos;
        const bool lastOdd = !kept.empty() && (kept.back() - '0') % 2 == 1;
        up = next > '5' || (next == '5' && (restNonZero || lastOdd));
    } // else: below half of the last place, so zero
    if (up) {
        long long i = static_cast<long long>(kept.size()) - 1;
        for (; i >= 0 && kept[size_t(i)] == '9'; --i)
            kept[size_t(i)] = '0';
        if (i >= 0)
            ++kept[size_t(i)];
        else
            kept.insert(kept.begin(), '1');
    }
    if (kept.size() < size_t(decimals) + 1)
        kept.insert(kept.begin(), size_t(decimals) + 1 - kept.size(), '0');
    // Leading zeros of the whole part go, bar one.
    const size_t wholeDigits = kept.size() - size_t(decimals);
    size_t skip = 0;
    while (skip + 1 < wholeDigits && kept[skip] == '0')
        ++skip;
    return QString::fromLatin1(kept.data() + skip, qsizetype(kept.size() - skip));
}

} // namespace

QString money(double value, int decimals)
{
    if (!std::isfinite(value))
        return dash();
    decimals = std::clamp(decimals, 0, 15);
    const QString digits = roundedDecimal(std::fabs(value), decimals);
    const QString whole = digits.left(digits.size() - decimals);
    const QString fraction = decimals > 0 ? u'.' + digits.right(decimals) : QString();
    // A value that rounds to zero shows without a minus sign, as "-$0.00" would confuse.
    const bool isZero = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
    const bool negative = value < 0 && !isZero;
    return (negative ? QStringLiteral("-$") : QStringLiteral("$")) + grouped(whole) + fraction;
}

QString percent(double value, int decimals)
{
    if (!std::isfinite(value))
        return dash();
    decimals = std::clamp(decimals, 0, 15);
    return fixed(value, decimals) + u'%';
}

QString shortMoney(double value)
{
    if (!std::isfinite(value))
        return dash();
    if (value >= 1000000) {
        const double m = value / 1000000;
        if (m == std::trunc(m))
            return u'$' + fixed(m, 0) + u'm';
        return u'$' + fixed(m, 1) + u'm';
    }
    if (value >= 1000)
        return u'$' + fixed(std::trunc(value / 1000), 0) + u'k';
    return money(value, 0);
}

QString duration(int periods, PaymentFrequency frequency)
{
    const double exact = static_cast<double>(periods) / periodsPerYear(frequency) * 12.0;
    const long long months = std::llround(exact); // half away from zero
    const long long years = months / 12;
    const long long rem = months - 12 * years;
    const bool singleYear = months >= 12 && months < 24;
    if (months >= -11 && months <= 11)
        return QStringLiteral("%1 mth%2").arg(months).arg(months == 1 ? "" : "s");
    const QString yearPart = QStringLiteral("%1 yr%2").arg(years).arg(singleYear ? "" : "s");
    if (rem != 0)
        return yearPart + QStringLiteral(" %1 mth%2").arg(rem).arg(rem == 1 ? "" : "s");
    return yearPart;
}

QString stamp(const QDate &date)
{
    static const QLocale english(QLocale::English, QLocale::Australia);
    return english.toString(date, QStringLiteral("d MMM yyyy"));
}

QString stamp(const QDateTime &dateTime) { return stamp(dateTime.date()); }

} // namespace brolga::Format
