#pragma once

#include "calc/CalcChoices.h"

#include <optional>

namespace brolga {

// One purchase as the duty, the mortgage insurance and the cash to settle are worked from, before clamping.
struct PurchaseInputs {
    AUState state = AUState::nsw;
    double purchasePrice = 0;
    double depositAmount = 0;
    BuyerType buyer = BuyerType::firstHome;
    PropertyKind kind = PropertyKind::established;
    bool foreignBuyer = false;
    std::optional<double> dutyOverride; // a figure entered by hand replaces the worked duty
    double legalFees = 0;
    double inspectionFees = 0;
    double otherUpfrontCosts = 0;

    bool operator==(const PurchaseInputs &) const = default;
};

} // namespace brolga
