#pragma once

#include "calc/IncomeMath.h"
#include "core/ScreenChoices.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace brolga {

// Every input of the four tabs, the broker identity and the app preferences. Plain value record.
struct CalculatorState {
    double loanAmount = 650000;
    double offsetAmount = 0;
    double interestRate = 6.09;
    double loanTermYears = 30;
    RepaymentType repaymentType = RepaymentType::principalAndInterest;
    double ioYears = 5;
    PaymentFrequency frequency = PaymentFrequency::monthly;
    double extraRepayment = 0;
    double compareRate = 5.79;
    bool isCompareMode = false;
    bool showProjection = false;
    ProjectionView projectionView = ProjectionView::chart;
    // Lender fees and a fixed portion: each behind its switch, off by default, so that a record from before
    // them works out the same figures.
    bool feesEnabled = false;
    double establishmentFee = 0;
    double ongoingFee = 0;
    FeePeriod ongoingFeePeriod = FeePeriod::monthly;
    double dischargeFee = 0;
    bool fixedEnabled = false;
    double fixedAmount = 0;
    double fixedRate = 5.79;
    double fixedYears = 3;

    double grossIncome = 140000;
    ApplicantType applicantType = ApplicantType::single;
    int dependants = 0;
    double monthlyOtherDebts = 0;
    double assessmentBuffer = 3.0;
    double dtiMultiple = 6.0;
    QString taxYear = QStringLiteral("2026-27");
    // Applicants in detail: while on, these replace grossIncome and monthlyOtherDebts is the other loans'
    // repayments.
    bool applicantsInDetail = false;
    double applicant1Income = 0;
    double applicant2Income = 0;
    double rentalIncome = 0;
    double rentalShadePercent = 80;
    double cardLimits = 0;
    double cardRatePercent = 3.8;
    double otherLoanBalances = 0;
    bool applicant1HasHELP = false;
    bool applicant2HasHELP = false;
    double floorRatePercent = 0;

    EmploymentType employmentType = EmploymentType::fullTime;
    PayBasis payBasis = PayBasis::annual;
    double payRate = 95000;
    double unitsPerWeek = 38;
    double contractorWeeks = 48;
    bool quotedIncludesSuper = false;
    double superRatePercent = IncomeMath::guaranteeRatePercent;
    OccupationPreset occupationPreset = OccupationPreset::standard;
    double ytdGross = 0;
    std::optional<QDateTime> ytdPeriodEnd;
    std::optional<QDateTime> employmentStart;
    double overtimeAnnual = 0;
    double bonusThisFY = 0;
    double bonusLastFY = 0;
    bool bonusUseLower = false;
    double allowancesAnnual = 0;
    double otShadePercent = 80;
    double bonusShadePercent = 80;
    double allowShadePercent = 80;
    bool hasHELP = false;

    AUState state = AUState::vic;
    double purchasePrice = 800000;
    double depositAmount = 160000;
    BuyerType buyerType = BuyerType::firstHome;
    PropertyKind propertyKind = PropertyKind::established;
    bool isForeignBuyer = false;
    std::optional<double> dutyOverride;
    double legalFees = 1800;
    double inspectionFees = 600;
    double otherUpfrontCosts = 500;

    CalculatorTab activeTab = CalculatorTab::repayment;
    bool alwaysOnTop = true;
    QString brokerName;
    QString brokerCompany;
    QString brokerEmail;
    QString brokerPhone;
    QString brokerLicence;
    QString brokerWebsite;
    QString themeID = QStringLiteral("brolga");
    std::optional<bool> updateChecksEnabled;

    // The longest identity text kept, typed or read: the longest e-mail address there can be, ample for a name,
    // a company, a licence or a website.
    static constexpr int maxIdentityLength = 254;

    // Phone, email, website and licence, blanks dropped, joined with " · ".
    QString contactLine() const;
    bool hasIdentity() const;

    bool operator==(const CalculatorState &) const = default;
};

} // namespace brolga
