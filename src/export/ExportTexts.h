#pragma once

#include "core/Enums.h"

#include <QString>

#include <cmath>

namespace brolga::ExportTexts {

// The words the copied text and the export card share, so the two never describe one record differently.

inline QString suffix(PaymentFrequency f)
{
    switch (f) {
    case PaymentFrequency::weekly: return QStringLiteral("/wk");
    case PaymentFrequency::fortnightly: return QStringLiteral("/ftn");
    case PaymentFrequency::monthly: return QStringLiteral("/mth");
    }
    return {};
}

inline QString frequencyWord(PaymentFrequency f)
{
    switch (f) {
    case PaymentFrequency::weekly: return QStringLiteral("Weekly");
    case PaymentFrequency::fortnightly: return QStringLiteral("Fortnightly");
    case PaymentFrequency::monthly: return QStringLiteral("Monthly");
    }
    return {};
}

// A loan term in whole years: "1 year", "30 years".
inline QString termText(double termYears)
{
    if (!std::isfinite(termYears))
        return QStringLiteral("\u2014");
    const double years = std::trunc(termYears);
    return QString::number(years, 'f', 0) + (years == 1 ? QStringLiteral(" year") : QStringLiteral(" years"));
}

inline QString repaymentTypeLabel(RepaymentType t)
{
    return t == RepaymentType::interestOnly ? QStringLiteral("Interest Only") : QStringLiteral("P & I");
}

inline QString applicantsLabel(ApplicantType t)
{
    return t == ApplicantType::couple ? QStringLiteral("Couple") : QStringLiteral("Single");
}

inline QString bindingLabel(bool serviceabilityBinds)
{
    return serviceabilityBinds ? QStringLiteral("Serviceability") : QStringLiteral("DTI cap");
}

inline QString employmentLabel(EmploymentType t)
{
    switch (t) {
    case EmploymentType::fullTime: return QStringLiteral("Full-time");
    case EmploymentType::partTime: return QStringLiteral("Part-time");
    case EmploymentType::casual: return QStringLiteral("Casual");
    case EmploymentType::contractor: return QStringLiteral("Contractor");
    }
    return {};
}

inline QString presetLabel(OccupationPreset p)
{
    switch (p) {
    case OccupationPreset::standard: return QStringLiteral("Standard");
    case OccupationPreset::essential: return QStringLiteral("Essential");
    case OccupationPreset::mining: return QStringLiteral("Mining");
    case OccupationPreset::publicService: return QStringLiteral("Public service");
    }
    return {};
}

inline QString buyerLabel(BuyerType b)
{
    switch (b) {
    case BuyerType::firstHome: return QStringLiteral("First home");
    case BuyerType::ownerOccupier: return QStringLiteral("Owner occ.");
    case BuyerType::investor: return QStringLiteral("Investor");
    }
    return {};
}

inline QString propertyLabel(PropertyKind k)
{
    switch (k) {
    case PropertyKind::established: return QStringLiteral("Established");
    case PropertyKind::newBuild: return QStringLiteral("New / OTP");
    case PropertyKind::vacantLand: return QStringLiteral("Vacant land");
    }
    return {};
}

// Identity and contact come straight from the record; a line break or an escape sequence in them would split
// a line of the summary or of the card, or drive the terminal a report is printed on.
inline QString singleLine(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return out;
}

} // namespace brolga::ExportTexts
