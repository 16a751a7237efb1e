#pragma once

#include "calc/IncomeMath.h"
#include "core/Enums.h"

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

    double grossIncome = 140000;
    ApplicantType applicantType = ApplicantType::single;
    int dependants = 0;
    double monthlyOtherDebts = 0;
    double assessmentBuffer = 3.0;
    double dtiMultiple = 6.0;
    QString taxYear = QStringLiteral("2026-27");

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
