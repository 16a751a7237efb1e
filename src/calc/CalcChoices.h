#pragma once

#include <QString>

#include <array>
#include <optional>
#include <utility>

namespace brolga {

// The vocabulary of the calculations, with the raw names the record stores each case under.
enum class RepaymentType { principalAndInterest, interestOnly };
enum class PaymentFrequency { weekly, fortnightly, monthly };
enum class ApplicantType { single, couple };
enum class EmploymentType { fullTime, partTime, casual, contractor };
enum class PayBasis { hourly, daily, weekly, fortnightly, monthly, annual };
enum class OccupationPreset { standard, essential, mining, publicService };
enum class AUState { nsw, vic, qld, wa, sa, tas, act, nt };
enum class BuyerType { firstHome, ownerOccupier, investor };
enum class PropertyKind { established, newBuild, vacantLand };
enum class FeePeriod { monthly, yearly };

// Each enumeration's cases in picker order with the raw string it is stored as.
template <typename E> struct EnumCases;

#define BROLGA_ENUM_CASES(E, N, ...)                                                                                   \
    template <> struct EnumCases<E> {                                                                                  \
        static constexpr std::array<std::pair<E, const char *>, N> list{{__VA_ARGS__}};                                \
    };

BROLGA_ENUM_CASES(RepaymentType, 2, {RepaymentType::principalAndInterest, "pi"}, {RepaymentType::interestOnly, "io"})
BROLGA_ENUM_CASES(PaymentFrequency, 3, {PaymentFrequency::weekly, "weekly"},
                  {PaymentFrequency::fortnightly, "fortnightly"}, {PaymentFrequency::monthly, "monthly"})
BROLGA_ENUM_CASES(ApplicantType, 2, {ApplicantType::single, "single"}, {ApplicantType::couple, "couple"})
BROLGA_ENUM_CASES(EmploymentType, 4, {EmploymentType::fullTime, "fullTime"}, {EmploymentType::partTime, "partTime"},
                  {EmploymentType::casual, "casual"}, {EmploymentType::contractor, "contractor"})
BROLGA_ENUM_CASES(PayBasis, 6, {PayBasis::hourly, "hourly"}, {PayBasis::daily, "daily"}, {PayBasis::weekly, "weekly"},
                  {PayBasis::fortnightly, "fortnightly"}, {PayBasis::monthly, "monthly"}, {PayBasis::annual, "annual"})
BROLGA_ENUM_CASES(OccupationPreset, 4, {OccupationPreset::standard, "standard"},
                  {OccupationPreset::essential, "essential"}, {OccupationPreset::mining, "mining"},
                  {OccupationPreset::publicService, "publicService"})
BROLGA_ENUM_CASES(AUState, 8, {AUState::nsw, "NSW"}, {AUState::vic, "VIC"}, {AUState::qld, "QLD"}, {AUState::wa, "WA"},
                  {AUState::sa, "SA"}, {AUState::tas, "TAS"}, {AUState::act, "ACT"}, {AUState::nt, "NT"})
BROLGA_ENUM_CASES(BuyerType, 3, {BuyerType::firstHome, "firstHome"}, {BuyerType::ownerOccupier, "ownerOccupier"},
                  {BuyerType::investor, "investor"})
BROLGA_ENUM_CASES(PropertyKind, 3, {PropertyKind::established, "established"}, {PropertyKind::newBuild, "newBuild"},
                  {PropertyKind::vacantLand, "vacantLand"})
BROLGA_ENUM_CASES(FeePeriod, 2, {FeePeriod::monthly, "monthly"}, {FeePeriod::yearly, "yearly"})

#undef BROLGA_ENUM_CASES

// The cases in picker order.
template <typename E> constexpr auto allCases()
{
    std::array<E, EnumCases<E>::list.size()> out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = EnumCases<E>::list[i].first;
    return out;
}

template <typename E> QString rawValue(E value)
{
    for (const auto &[c, raw] : EnumCases<E>::list)
        if (c == value)
            return QString::fromLatin1(raw);
    return {};
}

// Exact, case-sensitive match against the raw strings; anything else is absent.
template <typename E> std::optional<E> fromRaw(const QString &raw)
{
    for (const auto &[c, r] : EnumCases<E>::list)
        if (raw == QLatin1String(r))
            return c;
    return std::nullopt;
}

constexpr int periodsPerYear(PaymentFrequency f)
{
    switch (f) {
    case PaymentFrequency::weekly: return 52;
    case PaymentFrequency::fortnightly: return 26;
    case PaymentFrequency::monthly: return 12;
    }
    return 12;
}

constexpr bool needsUnits(PayBasis b) { return b == PayBasis::hourly || b == PayBasis::daily; }

} // namespace brolga
