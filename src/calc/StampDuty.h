#pragma once

#include "calc/CalcChoices.h"
#include "calc/DutyBracket.h"
#include "calc/DutyResult.h"
#include "calc/PurchaseInputs.h"

#include <QString>

#include <span>
#include <utility>

namespace brolga::StampDuty {

// The date the scales and thresholds below were published; the Upfront footnote quotes it.
inline constexpr char scalesAsAt[] = "26 August 2026";

// Brackets in ascending order of `from`.
using Scale = std::span<const DutyBracket>;

// Duty on a price from one scale: the last bracket starting strictly below the price applies. 0 for a price
// of 0 or less, or one that is not a finite number.
double duty(Scale scale, double price);

Scale nswScale();
Scale vicGeneralScale();
Scale qldHomeConcessionScale();
Scale qldGeneralScale();
Scale waScale();
Scale saScale();
Scale tasScale();
Scale actScale();

// Ordinary duty before any concession; VIC, ACT and NT add their whole-price rates and formulas to the scales.
double baseDuty(AUState state, double price, BuyerType buyer);

// The first-home concession on `fullDuty` and the rule applied. The amount always lies between 0 and `fullDuty`
// (0 when that is negative or not a number).
std::pair<double, DutyNote> concession(AUState state, double price, BuyerType buyer, PropertyKind kind, double fullDuty);

// Fraction of the whole price charged on top for a foreign purchaser.
double foreignSurchargeRate(AUState state);
// Whether the state charges a foreign purchaser anything on top.
bool hasForeignSurcharge(AUState state);
double transferFee(AUState state);
double mortgageFee(AUState state);

// Everything the Upfront tab shows about duty, including a hand-entered override.
DutyResult duty(const PurchaseInputs &purchase);

} // namespace brolga::StampDuty
