#pragma once

#include "core/ScreenChoices.h"

#include <QString>

namespace brolga::ChoiceNames {

// The words each choice is shown by: on its picker, on the screens, in the copied text and on the card.

// "Weekly", "Fortnightly", "Monthly".
QString frequency(PaymentFrequency f);
// "/wk", "/ftn", "/mth": after a figure paid at that frequency.
QString suffix(PaymentFrequency f);
// "/mth", "/yr": after a fee charged that often.
QString suffix(FeePeriod p);
// A loan term in whole years: "1 year", "30 years".
QString term(double termYears);
QString repaymentType(RepaymentType t);
QString applicants(ApplicantType t);
// Which limit sets the maximum loan.
QString binding(bool serviceabilityBinds);
QString employment(EmploymentType t);
QString payBasis(PayBasis b);
QString preset(OccupationPreset p);
QString buyer(BuyerType b);
QString property(PropertyKind k);
// "NSW", "VIC": a state is shown by its code.
QString state(AUState s);

} // namespace brolga::ChoiceNames
