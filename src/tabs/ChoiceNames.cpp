#include "tabs/ChoiceNames.h"

#include <cmath>

namespace brolga::ChoiceNames {

QString frequency(PaymentFrequency f)
{
    switch (f) {
    case PaymentFrequency::weekly: return QStringLiteral("Weekly");
    case PaymentFrequency::fortnightly: return QStringLiteral("Fortnightly");
    case PaymentFrequency::monthly: return QStringLiteral("Monthly");
    }
    return {};
}

QString suffix(PaymentFrequency f)
{
    switch (f) {
    case PaymentFrequency::weekly: return QStringLiteral("/wk");
    case PaymentFrequency::fortnightly: return QStringLiteral("/ftn");
    case PaymentFrequency::monthly: return QStringLiteral("/mth");
    }
    return {};
}

QString suffix(FeePeriod p)
{
    return p == FeePeriod::yearly ? QStringLiteral("/yr") : QStringLiteral("/mth");
}

QString term(double termYears)
{
    if (!std::isfinite(termYears))
        return QStringLiteral("\u2014");
    const double years = std::trunc(termYears);
    return QString::number(years, 'f', 0) + (years == 1 ? QStringLiteral(" year") : QStringLiteral(" years"));
}

QString repaymentType(RepaymentType t)
{
    return t == RepaymentType::interestOnly ? QStringLiteral("Interest Only") : QStringLiteral("P & I");
}

QString applicants(ApplicantType t)
{
    return t == ApplicantType::couple ? QStringLiteral("Couple") : QStringLiteral("Single");
}

QString binding(bool serviceabilityBinds)
{
    return serviceabilityBinds ? QStringLiteral("Serviceability") : QStringLiteral("DTI cap");
}

QString employment(EmploymentType t)
{
    switch (t) {
    case EmploymentType::fullTime: return QStringLiteral("Full-time");
    case EmploymentType::partTime: return QStringLiteral("Part-time");
    case EmploymentType::casual: return QStringLiteral("Casual");
    case EmploymentType::contractor: return QStringLiteral("Contractor");
    }
    return {};
}

QString payBasis(PayBasis b)
{
    switch (b) {
    case PayBasis::hourly: return QStringLiteral("Hourly");
    case PayBasis::daily: return QStringLiteral("Daily");
    case PayBasis::weekly: return QStringLiteral("Weekly");
    case PayBasis::fortnightly: return QStringLiteral("Fortnightly");
    case PayBasis::monthly: return QStringLiteral("Monthly");
    case PayBasis::annual: return QStringLiteral("Annual");
    }
    return {};
}

QString preset(OccupationPreset p)
{
    switch (p) {
    case OccupationPreset::standard: return QStringLiteral("Standard");
    case OccupationPreset::essential: return QStringLiteral("Essential");
    case OccupationPreset::mining: return QStringLiteral("Mining");
    case OccupationPreset::publicService: return QStringLiteral("Public service");
    }
    return {};
}

QString buyer(BuyerType b)
{
    switch (b) {
    case BuyerType::firstHome: return QStringLiteral("First home");
    case BuyerType::ownerOccupier: return QStringLiteral("Owner occ.");
    case BuyerType::investor: return QStringLiteral("Investor");
    }
    return {};
}

QString property(PropertyKind k)
{
    switch (k) {
    case PropertyKind::established: return QStringLiteral("Established");
    case PropertyKind::newBuild: return QStringLiteral("New / OTP");
    case PropertyKind::vacantLand: return QStringLiteral("Vacant land");
    }
    return {};
}

QString state(AUState s)
{
    return rawValue(s);
}

} // namespace brolga::ChoiceNames
