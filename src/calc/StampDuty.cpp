#include "calc/StampDuty.h"

#include <array>
#include <cmath>
#include <tuple>

namespace brolga::StampDuty {

namespace {

constexpr std::array<DutyBracket, 7> nsw{{
    {0, 0, 0.0125},
    {17'000, 212, 0.015},
    {37'000, 512, 0.0175},
    {99'000, 1'597, 0.035},
    {372'000, 11'152, 0.045},
    {1'240'000, 50'212, 0.055},
    {3'721'000, 186'667, 0.07},
}};

constexpr std::array<DutyBracket, 3> vicGeneral{{
    {0, 0, 0.014},
    {25'000, 350, 0.024},
    {130'000, 2'870, 0.06},
}};

constexpr std::array<DutyBracket, 4> qldHome{{
    {0, 0, 0.01},
    {350'000, 3'500, 0.035},
    {540'000, 10'150, 0.045},
    {1'000'000, 30'850, 0.0575},
}};

// Starts at 5,000, so a price up to 5,000 finds no bracket and bears no duty.
constexpr std::array<DutyBracket, 4> qldGeneral{{
    {5'000, 0, 0.015},
    {75'000, 1'050, 0.035},
    {540'000, 17'325, 0.045},
    {1'000'000, 38'025, 0.0575},
}};

constexpr std::array<DutyBracket, 5> wa{{
    {0, 0, 0.019},
    {120'000, 2'280, 0.0285},
    {150'000, 3'135, 0.038},
    {360'000, 11'115, 0.0475},
    {725'000, 28'453, 0.0515},
}};

constexpr std::array<DutyBracket, 9> sa{{
    {0, 0, 0.01},
    {12'000, 120, 0.02},
    {30'000, 480, 0.03},
    {50'000, 1'080, 0.035},
    {100'000, 2'830, 0.04},
    {200'000, 6'830, 0.0425},
    {250'000, 8'955, 0.0475},
    {300'000, 11'330, 0.05},
    {500'000, 21'330, 0.055},
}};

// The first bracket is the flat 50 on any price up to 3,000.
constexpr std::array<DutyBracket, 7> tas{{
    {0, 50, 0},
    {3'000, 50, 0.0175},
    {25'000, 435, 0.0225},
    {75'000, 1'560, 0.035},
    {200'000, 5'935, 0.04},
    {375'000, 12'935, 0.0425},
    {725'000, 27'810, 0.045},
}};

constexpr std::array<DutyBracket, 6> act{{
    {0, 0, 0.0049},
    {260'000, 1'274, 0.022},
    {300'000, 2'154, 0.034},
    {500'000, 8'954, 0.0432},
    {750'000, 19'754, 0.059},
    {1'000'000, 34'504, 0.064},
}};

bool isPrice(double price)
{
    return std::isfinite(price) && price > 0;
}

// VIC's principal-place-of-residence rate, for anyone who is not an investor.
bool vicResidenceScaleApplies(double price, BuyerType buyer)
{
    return buyer != BuyerType::investor && price > 130'000 && price <= 550'000;
}

// Keeps a conceded amount inside [0, full]; anything that is not a number concedes nothing.
double boundedBy(double amount, double full)
{
    if (!(amount > 0))
        return 0;
    return amount < full ? amount : full;
}

// A threshold pair: all of the duty at or below `lower`, none from `upper`, a straight line between.
std::pair<double, DutyNote> phasedOut(double price, double full, double lower, double upper, const QString &label)
{
    if (price <= lower)
        return {full, {label, ConcessionPhase::fullExemption, upper}};
    if (price < upper)
        return {full * (upper - price) / (upper - lower), {label, ConcessionPhase::phasingOut, upper}};
    return {0, {label, price == upper ? ConcessionPhase::atThreshold : ConcessionPhase::aboveThreshold, upper}};
}

// A rule stated in one sentence, thresholds and all.
DutyNote stated(const QString &sentence)
{
    return {sentence};
}

std::pair<double, DutyNote> firstHome(AUState state, double price, PropertyKind kind, double full)
{
    const bool land = kind == PropertyKind::vacantLand;
    switch (state) {
    case AUState::nsw:
        return land ? phasedOut(price, full, 350'000, 450'000, QStringLiteral("NSW FHBAS (vacant land)"))
                    : phasedOut(price, full, 800'000, 1'000'000,
                                QStringLiteral("NSW First Home Buyers Assistance Scheme"));
    case AUState::vic:
        return phasedOut(price, full, 600'000, 750'000,
                         land ? QStringLiteral("VIC FHB (land)")
                              : QStringLiteral("VIC first home buyer duty exemption"));
    case AUState::qld:
        switch (kind) {
        case PropertyKind::established:
            return phasedOut(price, full, 700'000, 800'000, QStringLiteral("QLD first home concession"));
        case PropertyKind::newBuild:
            return {full, stated(QStringLiteral("QLD: no duty for first home buyers of new homes / off the plan."))};
        case PropertyKind::vacantLand:
            return phasedOut(price, full, 350'000, 500'000, QStringLiteral("QLD first home vacant land concession"));
        }
        break;
    case AUState::wa:
        // Between the thresholds the buyer pays a flat rate on the excess; the rest of the duty is conceded.
        if (land) {
            if (price <= 450'000)
                return {full, stated(QStringLiteral("WA first home owner rate (land) — full exemption."))};
            if (price >= 550'000)
                return {0, stated(price == 550'000
                                      ? QStringLiteral("WA: land at or above the $550,000 first home threshold.")
                                      : QStringLiteral("WA: land above the $550,000 first home threshold."))};
            return {full - 0.2014 * (price - 450'000),
                    stated(QStringLiteral("WA first home owner rate (land) — $20.14 per $100 above $450,000."))};
        }
        if (price <= 600'000)
            return {full, stated(QStringLiteral("WA first home owner rate — full exemption."))};
        if (price >= 800'000)
            return {0, stated(price == 800'000
                                  ? QStringLiteral("WA: property at or above the $800,000 first home threshold.")
                                  : QStringLiteral("WA: property above the $800,000 first home threshold."))};
        return {full - 0.1615 * (price - 600'000),
                stated(QStringLiteral("WA first home owner rate — concessional $16.15 per $100 above $600,000."))};
    case AUState::sa:
        if (kind == PropertyKind::established)
            return {0, stated(QStringLiteral("SA: no first home concession on established homes."))};
        return {full,
                stated(QStringLiteral("SA: duty abolished for first home buyers of new homes and land to build on."))};
    case AUState::tas:
        return {
            0, stated(QStringLiteral(
                   "TAS: the first home exemption ended for settlements after 30 June 2026 — ordinary duty applies."))};
    case AUState::act:
        return {full,
                stated(QStringLiteral("ACT: no duty for eligible first home buyers — no price cap or income test."))};
    case AUState::nt:
        if (kind == PropertyKind::newBuild)
            return {full, stated(QStringLiteral("NT House and Land Package Exemption — no duty, no value cap."))};
        return {0, stated(QStringLiteral(
                       "NT: duty relief is limited to house and land packages; cash grants apply instead."))};
    }
    return {0, stated(QStringLiteral("General transfer duty — no concession applies."))};
}

} // namespace

Scale nswScale()
{
    return nsw;
}
Scale vicGeneralScale()
{
    return vicGeneral;
}
Scale qldHomeConcessionScale()
{
    return qldHome;
}
Scale qldGeneralScale()
{
    return qldGeneral;
}
Scale waScale()
{
    return wa;
}
Scale saScale()
{
    return sa;
}
Scale tasScale()
{
    return tas;
}
Scale actScale()
{
    return act;
}

double duty(Scale scale, double price)
{
    if (!isPrice(price))
        return 0;
    double result = 0;
    for (const DutyBracket &b : scale)
        if (b.from < price)
            result = b.base + (price - b.from) * b.rate;
    return result > 0 ? result : 0;
}

double baseDuty(AUState state, double price, BuyerType buyer)
{
    if (!isPrice(price))
        return 0;
    switch (state) {
    case AUState::nsw: return duty(nswScale(), price);
    case AUState::vic:
        if (price > 2'000'000)
            return 110'000 + (price - 2'000'000) * 0.065;
        if (price > 960'000)
            return price * 0.055;
        if (vicResidenceScaleApplies(price, buyer))
            return 2'870 + (price - 130'000) * 0.05;
        return duty(vicGeneralScale(), price);
    case AUState::qld: return duty(buyer == BuyerType::investor ? qldGeneralScale() : qldHomeConcessionScale(), price);
    case AUState::wa: return duty(waScale(), price);
    case AUState::sa: return duty(saScale(), price);
    case AUState::tas: return duty(tasScale(), price);
    case AUState::act:
        if (price > 1'455'000)
            return price * 0.0454;
        return duty(actScale(), price);
    case AUState::nt:
        if (price < 525'000) {
            const double v = price / 1000;
            return 0.06571441 * v * v + 15 * v;
        }
        if (price <= 3'000'000)
            return price * 0.0495;
        if (price <= 5'000'000)
            return price * 0.0575;
        return price * 0.0595;
    }
    return 0;
}

std::pair<double, DutyNote> concession(AUState state, double price, BuyerType buyer, PropertyKind kind, double fullDuty)
{
    const double full = fullDuty > 0 && std::isfinite(fullDuty) ? fullDuty : 0;
    if (buyer != BuyerType::firstHome) {
        const bool residence =
            state == AUState::vic && buyer == BuyerType::ownerOccupier && vicResidenceScaleApplies(price, buyer);
        return {0, stated(residence ? QStringLiteral("Victorian principal-place-of-residence scale applied.")
                                    : QStringLiteral("General transfer duty — no concession applies."))};
    }
    auto [amount, note] = firstHome(state, price, kind, full);
    return {boundedBy(amount, full), note};
}

double foreignSurchargeRate(AUState state)
{
    switch (state) {
    case AUState::nsw: return 0.09;
    case AUState::vic: return 0.08;
    case AUState::qld: return 0.08;
    case AUState::wa: return 0.07;
    case AUState::sa: return 0.07;
    case AUState::tas: return 0.08;
    case AUState::act: return 0;
    case AUState::nt: return 0;
    }
    return 0;
}

bool hasForeignSurcharge(AUState state) { return foreignSurchargeRate(state) > 0; }

double transferFee(AUState state)
{
    switch (state) {
    case AUState::nsw: return 176;
    case AUState::vic: return 120;
    case AUState::qld: return 250;
    case AUState::wa: return 200;
    case AUState::sa: return 190;
    case AUState::tas: return 250;
    case AUState::act: return 500;
    case AUState::nt: return 160;
    }
    return 0;
}

double mortgageFee(AUState state)
{
    switch (state) {
    case AUState::nsw: return 176;
    case AUState::vic: return 120;
    case AUState::qld: return 220;
    case AUState::wa: return 200;
    case AUState::sa: return 190;
    case AUState::tas: return 160;
    case AUState::act: return 170;
    case AUState::nt: return 160;
    }
    return 0;
}

DutyResult duty(const PurchaseInputs &s)
{
    DutyResult r;
    const double price = s.purchasePrice;
    if (isPrice(price)) {
        r.baseDuty = baseDuty(s.state, price, s.buyer);
        std::tie(r.concession, r.note) = concession(s.state, price, s.buyer, s.kind, r.baseDuty);
        r.foreignSurcharge = s.foreignBuyer ? price * foreignSurchargeRate(s.state) : 0;
        r.transferFee = transferFee(s.state);
        r.mortgageFee = mortgageFee(s.state);
    } else {
        r.note = stated(QStringLiteral("Enter a purchase price."));
    }
    // A hand-entered 0 is a real figure. One that is not a number is no figure at all, and duty is never
    // negative.
    if (s.dutyOverride && std::isfinite(*s.dutyOverride)) {
        r.baseDuty = *s.dutyOverride > 0 ? *s.dutyOverride : 0;
        r.concession = 0;
        r.note = stated(QStringLiteral("Manual override — figure entered by hand."));
    }
    return r;
}

} // namespace brolga::StampDuty
