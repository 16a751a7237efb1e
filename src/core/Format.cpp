#include "core/Format.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>

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
// printf would then write "2,5" under a German locale). Rounds the exact binary value, ties to even:
// 2.5 -> "2", 0.125 -> "0.12".
QString fixed(double value, int decimals)
{
    char buf[512];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? QString::fromLatin1(buf, result.ptr - buf) : QString();
}

} // namespace

QString money(double value, int decimals)
{
    if (!std::isfinite(value))
        return dash();
    decimals = std::clamp(decimals, 0, 15);
    const QString digits = fixed(std::fabs(value), decimals);
    if (digits.isEmpty())
        return QStringLiteral("$0");
    const qsizetype point = digits.indexOf(u'.');
    const QString whole = point < 0 ? digits : digits.left(point);
    const QString fraction = point < 0 ? QString() : digits.mid(point);
    // A value that rounds to zero shows without a minus sign, as "-$0.00" would confuse.
    bool isZero = true;
    for (QChar c : digits)
        if (c.isDigit() && c != u'0')
            isZero = false;
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
