#include "BrandTestMain.h"
#include "ScreenTest.h"

#include "brand/Brand.h"
#include "core/Format.h"
#include "tabs/ResultSentences.h"
#include "ui/CapacityView.h"
#include "ui/IncomeView.h"
#include "ui/UpfrontView.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/PrimaryActionButton.h"
#include "ui/buttons/TextActionButton.h"
#include "ui/controls/BrandDateField.h"
#include "ui/controls/Card.h"
#include "ui/controls/FootNote.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/PillPicker.h"

#include <cmath>

using namespace brolga;
using CapacityScreen = screentest::Screen<CapacityView>;
using IncomeScreen = screentest::Screen<IncomeView>;
using UpfrontScreen = screentest::Screen<UpfrontView>;

namespace {
void pick(PillPicker *picker, const QString &label)
{
    for (int i = 0; i < picker->options().size(); ++i)
        if (picker->options().at(i).label == label)
            return picker->select(i);
    QFAIL(qPrintable("no pill " + label));
}
} // namespace

// The Capacity, Income and Upfront screens at the calculator's column width.
class TestScreens : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { screentest::isolateSettings(); }

    // Borrowing capacity.

    void noIncomeAsksForOneAndHidesTheDetail()
    {
        CapacityScreen s([](CalculatorState &st) { st.grossIncome = 0; });
        QCOMPARE(s.find<HeroValue>("heroValue")->text(), QStringLiteral("$0"));
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), QStringLiteral("Enter a gross annual income."));
        QVERIFY(!s.shows(s.find<HeroStat>("surplusStat")));
        QVERIFY(!s.shows(s.find<Card>("capacityDetail")));

        // Entering an income brings the detail back.
        s.store.edit([](CalculatorState &st) { st.grossIncome = 140000; });
        QVERIFY(s.shows(s.find<Card>("capacityDetail")));
        QCOMPARE(s.find<HeroValue>("heroValue")->text(), Format::money(s.store.capacity()->maxLoan, 0));
    }

    void shortfallReadsZeroInTheHeroAndRedInTheDetail()
    {
        CapacityScreen s([](CalculatorState &st) {
            st.grossIncome = 60000;
            st.monthlyOtherDebts = 5000;
        });
        const auto c = s.store.capacity();
        QVERIFY(c && c->surplus < 0);
        QCOMPARE(s.find<HeroStat>("surplusStat")->value(), QStringLiteral("$0"));
        auto *surplus = s.row("surplusRow");
        QCOMPARE(surplus->value(), Format::money(c->surplus, 0));
        QVERIFY(surplus->tint());
        QCOMPARE(surplus->tint()(surplus->palette()), Brand::bad(surplus->palette()));
        QCOMPARE(s.row("debtsRow")->value(), QStringLiteral("$5,000"));
        // Nothing can be borrowed, so there is no repayment to show.
        QCOMPARE(s.row("maxLoanRow")->value(), QStringLiteral("$0"));
        QVERIFY(!s.shows(s.row("repaymentRow")));

        s.store.edit([](CalculatorState &st) { st.monthlyOtherDebts = 0; st.grossIncome = 140000; });
        QVERIFY(s.store.capacity()->surplus > 0);
        QCOMPARE(surplus->tint()(surplus->palette()), Brand::good(surplus->palette()));
        QVERIFY(s.shows(s.row("repaymentRow")));
    }

    // The repayment is on the product rate over 30 years, not the assessment rate or the loan's own term.
    void repaymentUsesTheProductRate()
    {
        CapacityScreen s([](CalculatorState &st) {
            st.interestRate = 6.0;
            st.loanTermYears = 25;
            st.assessmentBuffer = 3;
        });
        const double loan = s.store.capacity()->maxLoan;
        const double r = 0.06 / 12;
        const double expected = loan * r / (1 - std::pow(1 + r, -360));
        QCOMPARE(s.row("repaymentRow")->value(), Format::money(expected, 2) + "/mth");
        QCOMPARE(s.find<HeroStat>("rateStat")->value(), QStringLiteral("9.00%"));
    }

    void dtiLabelAndBindingLimit_data()
    {
        QTest::addColumn<double>("multiple");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("note");
        QTest::newRow("4.5") << 4.5 << "DTI limit (4.5x income)" << "Limited by: DTI cap";
        QTest::newRow("6") << 6.0 << "DTI limit (6.0x income)" << "Limited by: DTI cap";
        QTest::newRow("loose cap") << 20.0 << "DTI limit (20.0x income)" << "Limited by: Serviceability";
    }
    void dtiLabelAndBindingLimit()
    {
        QFETCH(double, multiple);
        QFETCH(QString, label);
        QFETCH(QString, note);
        CapacityScreen s([&](CalculatorState &st) {
            st.grossIncome = 140000;
            st.dtiMultiple = multiple;
        });
        QCOMPARE(s.row("dtiRow")->label(), label);
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), note);
        const auto c = *s.store.capacity();
        QCOMPARE(s.row("maxLoanRow")->value(), Format::money(std::min(c.serviceabilityLimit, c.dtiLimit), 0));
    }

    void dependantsAreWholeNumbers()
    {
        CapacityScreen s;
        auto *dependants = s.field("dependants");
        QVERIFY(s.focus(dependants));
        s.type(dependants, QStringLiteral("2.7"), [](const QString &) {});
        QCOMPARE(s.store.state().dependants, 2);
        QTest::keyClick(dependants->lineEdit(), Qt::Key_Return);
        QCOMPARE(dependants->text(), QStringLiteral("2"));
    }

    void taxYearPickerWritesTheYearAndTheFootnoteNamesIt()
    {
        CapacityScreen s;
        auto *picker = s.find<PillPicker>("taxYear");
        const int last = picker->options().size() - 1;
        const QString year = picker->options().at(last).label;
        picker->select(last);
        QCOMPARE(s.store.state().taxYear, year);
        QVERIFY(s.find<FootNote>("detailNote")->text().contains("Tax is the " + year + " resident scale"));
    }

    // The switch swaps the household income for the applicants, the second only for a couple, and back.
    void applicantsInDetailSwapTheFields()
    {
        CapacityScreen s;
        auto *detail = s.find<QAbstractButton>("applicantsInDetail");
        QVERIFY(s.shows(s.field("grossIncome")) && !s.shows(s.field("applicant1Income")));
        QVERIFY(!s.shows(s.field("floorRatePercent")) && !s.shows(s.row("dtiRatioRow")));
        detail->toggle();
        QVERIFY(s.store.state().applicantsInDetail);
        QVERIFY(!s.shows(s.field("grossIncome")) && s.shows(s.field("applicant1Income")));
        QVERIFY(s.shows(s.field("floorRatePercent")) && s.shows(s.field("cardLimits")));
        QVERIFY(!s.shows(s.field("applicant2Income")) && !s.shows(s.find<QWidget>("applicant2HasHELP")));
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), QStringLiteral("Enter an applicant's income."));

        // At the DTI cap's 6.0x the note says lenders ration such loans; under it there is no note.
        s.store.edit([](CalculatorState &st) {
            st.applicantType = ApplicantType::couple;
            st.applicant1Income = st.applicant2Income = 75000;
            st.otherLoanBalances = 150000;
        });
        QVERIFY(s.shows(s.field("applicant2Income")) && s.shows(s.find<QWidget>("applicant2HasHELP")));
        QCOMPARE(s.row("dtiRatioRow")->value(), QStringLiteral("6.0x"));
        QVERIFY(s.shows(s.find<FootNote>("dtiNote")));
        // 5.96x is under six: it reads 5.9x, not a 6.0x without its note.
        s.store.edit([](CalculatorState &st) { st.otherLoanBalances = 6735; });
        QCOMPARE(s.row("dtiRatioRow")->value(), QStringLiteral("5.9x"));
        QVERIFY(!s.shows(s.find<FootNote>("dtiNote")));
    }

    // Income assessment.

    void noPayRateAsksForOneAndCannotSend()
    {
        IncomeScreen s([](CalculatorState &st) { st.payRate = 0; });
        auto *send = s.find<PrimaryActionButton>("sendToCapacity");
        QCOMPARE(s.find<HeroValue>("heroValue")->text(), QStringLiteral("$0"));
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), QStringLiteral("Enter a pay rate to begin."));
        QVERIFY(!send->isEnabled());
        QCOMPARE(send->text(), QStringLiteral("Use $0 in Capacity \u2192"));

        s.store.edit([](CalculatorState &st) {
            st.payRate = 95000.4;
            st.grossIncome = 1;
        });
        QVERIFY(send->isEnabled());
        QVERIFY(!s.shows(s.find<HeroNote>("heroNote")));
        QCOMPARE(send->text(), QStringLiteral("Use $95,000 in Capacity \u2192"));
        send->click();
        QCOMPARE(s.store.state().grossIncome, 95000.0);
        QCOMPARE(s.store.state().activeTab, CalculatorTab::capacity);
        QCOMPARE(s.store.toast(), std::optional<QString>(QStringLiteral("Assessable income sent to Capacity")));
    }

    void miningPresetSetsShadingAndSuperAtOnce()
    {
        IncomeScreen s([](CalculatorState &st) {
            st.otShadePercent = 55;
            st.allowShadePercent = 40;
        });
        pick(s.find<PillPicker>("occupationPreset"), "Mining");
        QCOMPARE(s.store.state().occupationPreset, OccupationPreset::mining);
        QCOMPARE(s.field("otShadePercent")->text(), QStringLiteral("80"));
        QCOMPARE(s.field("allowShadePercent")->text(), QStringLiteral("100"));
        QCOMPARE(s.field("superRatePercent")->text(), QStringLiteral("12.0"));
        QVERIFY(s.find<FootNote>("presetHint")->text().startsWith("Site allowances at 100%"));
    }

    void payBasisShapesThePayFields()
    {
        IncomeScreen s([](CalculatorState &st) {
            st.payBasis = PayBasis::hourly;
            st.payRate = 45.5;
            st.unitsPerWeek = 38;
        });
        auto *rate = s.field("payRate");
        auto *units = s.field("unitsPerWeek");
        QCOMPARE(rate->config().label, QStringLiteral("Hourly rate"));
        QCOMPARE(rate->text(), QStringLiteral("45.50"));
        QVERIFY(s.shows(units));
        QCOMPARE(units->text(), QStringLiteral("38"));

        // The rate is converted, so the year stays what it was: 45.50 × 38 a week.
        pick(s.find<PillPicker>("payBasis"), "Weekly");
        QCOMPARE(rate->config().label, QStringLiteral("Weekly pay"));
        QCOMPARE(rate->text(), QStringLiteral("1,729"));
        QVERIFY(!s.shows(units));
        QCOMPARE(s.store.state().unitsPerWeek, 38.0);

        // A day rate counts at most 7 days, whatever was stored for hours.
        pick(s.find<PillPicker>("payBasis"), "Daily");
        QVERIFY(s.shows(units));
        QCOMPARE(units->config().label, QStringLiteral("Days / week"));
        QCOMPARE(units->text(), QStringLiteral("7"));
        QCOMPARE(s.store.state().unitsPerWeek, 38.0);
        units->stepBy(-1);
        QCOMPARE(s.store.state().unitsPerWeek, 6.0);
    }

    void paidWeeksAndCasualNote_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("basis");
        QTest::addColumn<bool>("weeks");
        QTest::addColumn<bool>("casual");
        QTest::newRow("full-time hourly") << int(EmploymentType::fullTime) << int(PayBasis::hourly) << false << false;
        QTest::newRow("full-time daily") << int(EmploymentType::fullTime) << int(PayBasis::daily) << true << false;
        QTest::newRow("contractor hourly") << int(EmploymentType::contractor) << int(PayBasis::hourly) << true << false;
        QTest::newRow("contractor weekly") << int(EmploymentType::contractor) << int(PayBasis::weekly) << false << false;
        QTest::newRow("casual hourly") << int(EmploymentType::casual) << int(PayBasis::hourly) << false << true;
    }
    void paidWeeksAndCasualNote()
    {
        QFETCH(int, type);
        QFETCH(int, basis);
        QFETCH(bool, weeks);
        QFETCH(bool, casual);
        IncomeScreen s([&](CalculatorState &st) {
            st.employmentType = EmploymentType(type);
            st.payBasis = PayBasis(basis);
        });
        QCOMPARE(s.shows(s.field("contractorWeeks")), weeks);
        QCOMPARE(s.shows(s.find<FootNote>("casualNote")), casual);
    }

    void variableIncomeRowsAndLowerYearChoice()
    {
        IncomeScreen s([](CalculatorState &st) {
            st.overtimeAnnual = 10000;
            st.otShadePercent = 80;
            st.bonusLastFY = 8000;
        });
        auto *lower = s.find<BrandCheckBox>("bonusUseLower");
        QVERIFY(!s.shows(lower));
        QCOMPARE(s.row("componentRow0")->label(), QStringLiteral("Base"));
        QCOMPARE(s.row("componentRow1")->label(), QStringLiteral("Overtime — $10,000 at 80%"));
        QCOMPARE(s.row("componentRow1")->value(), QStringLiteral("$8,000"));

        s.store.edit([](CalculatorState &st) { st.bonusThisFY = 12000; });
        QVERIFY(s.shows(lower));
        lower->click();
        QVERIFY(s.store.state().bonusUseLower);
        QCOMPARE(s.row("assessableRow")->value(), Format::money(s.store.income().assessable, 0));

        // Fewer components than before: the extra rows go away.
        s.store.edit([](CalculatorState &st) {
            st.overtimeAnnual = 0;
            st.bonusThisFY = 0;
            st.bonusLastFY = 0;
        });
        QVERIFY(!s.shows(s.row("componentRow1")));
        QVERIFY(!s.shows(lower));
    }

    // Tab from the YTD gross reaches both dates before the variable income.
    void datesAreInTheTabOrder()
    {
        IncomeScreen s;
        QVERIFY(s.focus(s.field("ytdGross")));
        QTest::keyClick(s.field("ytdGross")->lineEdit(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), s.find<BrandDateField>("ytdPeriodEnd"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), s.find<BrandDateField>("employmentStart"));
    }

    void ytdCheckShowsItsVerdictTwice()
    {
        IncomeScreen s;
        s.store.setClock([] { return QDateTime(QDate(2027, 1, 15), QTime(9, 0)); });
        auto *periodEnd = s.find<BrandDateField>("ytdPeriodEnd");
        auto *started = s.find<BrandDateField>("employmentStart");
        QVERIFY(s.shows(s.find<FootNote>("ytdHelp")));
        QVERIFY(!s.shows(s.find<QWidget>("ytdResult")));

        s.store.edit([](CalculatorState &st) {
            st.taxYear = "2026-27";
            st.ytdGross = 50000;
            st.ytdPeriodEnd = QDate(2026, 12, 31).startOfDay();
        });
        QCOMPARE(periodEnd->text(), Format::stamp(QDate(2026, 12, 31)));
        QCOMPARE(started->text(), Format::stamp(QDate(2026, 7, 1)));
        const auto ytd = s.store.income().ytd;
        QVERIFY(ytd);
        QVERIFY(s.shows(s.find<QWidget>("ytdResult")));
        QVERIFY(!s.shows(s.find<FootNote>("ytdHelp")));
        QCOMPARE(s.row("paceRow")->label(), QStringLiteral("Annualised pace (%1 days)").arg(ytd->daysElapsed));
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), ResultSentences::ytdVerdict(*ytd));
        QCOMPARE(s.find<FootNote>("verdictNote")->text(), ResultSentences::ytdVerdict(*ytd));
        QVERIFY(s.row("againstRow")->value().startsWith(ytd->variance >= 0 ? "+" : "\u2212"));
    }

    void helpBelowTheThresholdCostsNothing()
    {
        IncomeScreen s([](CalculatorState &st) {
            st.payRate = 60000;
            st.hasHELP = false;
        });
        QVERIFY(!s.shows(s.find<QWidget>("helpRows")));
        s.find<BrandCheckBox>("hasHELP")->click();
        QVERIFY(s.store.state().hasHELP);
        QVERIFY(s.shows(s.find<QWidget>("helpRows")));
        QCOMPARE(s.row("helpRow")->value(), QStringLiteral("$0"));
        QCOMPARE(s.row("afterHelpRow")->value(), s.row("netRow")->value());

        s.store.edit([](CalculatorState &st) { st.payRate = 120000; });
        const double help = s.store.income().helpAnnual;
        QVERIFY(help > 0);
        QVERIFY(s.find<FootNote>("helpNote")->text().contains("add " + Format::money(help / 12, 0) + "/mth"));
        // With the applicants in detail Capacity counts HELP itself: no advice to count it twice.
        s.store.edit([](CalculatorState &st) { st.applicantsInDetail = true; });
        QVERIFY(s.find<FootNote>("helpNote")->text().contains("tick HELP for this applicant"));
    }

    // Purchase costs.

    void noPriceAsksForOneAndStillCountsTheCash()
    {
        UpfrontScreen s([](CalculatorState &st) {
            st.purchasePrice = 0;
            st.depositAmount = 50000;
            st.isForeignBuyer = true;
        });
        QCOMPARE(s.find<FootNote>("dutyNote")->text(), QStringLiteral("Enter a purchase price."));
        for (const char *row : {"baseDutyRow", "payableRow"})
            QCOMPARE(s.row(row)->value(), QStringLiteral("$0"));
        QVERIFY(!s.shows(s.row("concessionRow")));
        QVERIFY(!s.shows(s.row("surchargeRow")));
        QCOMPARE(s.row("lvrRow")->value(), QStringLiteral("0.00%"));
        QCOMPARE(s.find<FootNote>("lmiNote")->text(), QStringLiteral("Enter a loan amount and property value."));
        QVERIFY(!s.shows(s.find<QWidget>("premiumRows")));
        QCOMPARE(s.find<HeroStat>("loanStat")->value(), QStringLiteral("$0"));
        // Deposit and the entered costs still have to be paid.
        QVERIFY(s.store.fundsToComplete() > 50000);
        QCOMPARE(s.find<HeroValue>("heroValue")->text(), Format::money(s.store.fundsToComplete(), 0));
        QCOMPARE(s.row("cashRow")->value(), s.find<HeroValue>("heroValue")->text());
    }

    void overrideStartsFromTheTableAndUseTableRestoresIt()
    {
        UpfrontScreen s([](CalculatorState &st) {
            st.state = AUState::vic;
            st.purchasePrice = 650000;
            st.buyerType = BuyerType::firstHome;
        });
        auto *button = s.find<TextActionButton>("overrideButton");
        auto *manual = s.field("dutyOverride");
        const DutyResult table = s.store.duty();
        QVERIFY(table.concession > 0);
        QVERIFY(s.shows(s.row("concessionRow")));
        QCOMPARE(s.row("concessionRow")->value(), QStringLiteral("\u2212") + Format::money(table.concession, 0));
        QCOMPARE(button->text(), QStringLiteral("Override"));
        QVERIFY(!s.shows(manual));

        button->click();
        QVERIFY(s.store.state().dutyOverride.has_value());
        QCOMPARE(button->text(), QStringLiteral("Use table"));
        QVERIFY(s.shows(manual));
        QCOMPARE(s.store.state().dutyOverride.value(), table.baseDuty);
        QCOMPARE(manual->text().remove(','), QString::number(qRound64(table.baseDuty)));

        // Editing the manual figure moves both duty rows at once; no concession applies to it.
        QVERIFY(s.focus(manual));
        s.type(manual, QStringLiteral("12345"), [&](const QString &typed) {
            QVERIFY(manual->lineEdit()->hasFocus());
            QCOMPARE(manual->text(), typed);
            QCOMPARE(s.row("baseDutyRow")->value(), Format::money(typed.toDouble(), 0));
        });
        QCOMPARE(s.row("payableRow")->value(), QStringLiteral("$12,345"));
        QVERIFY(!s.shows(s.row("concessionRow")));
        QCOMPARE(s.find<FootNote>("dutyNote")->text(), QStringLiteral("Manual override — figure entered by hand."));

        // The field still has focus when the button hides it (the button takes none on a click).
        QVERIFY(manual->lineEdit()->hasFocus());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!s.store.state().dutyOverride);
        QCOMPARE(button->text(), QStringLiteral("Override"));
        QVERIFY(!s.shows(manual));
        QCOMPARE(s.row("baseDutyRow")->value(), Format::money(table.baseDuty, 0));
        QCOMPARE(s.row("payableRow")->value(), Format::money(table.payable(), 0));
    }

    void foreignBuyerByState_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("checkbox");
        QTest::addColumn<QString>("text");
        QTest::newRow("NSW") << int(AUState::nsw) << true << "Foreign buyer surcharge (9%)";
        QTest::newRow("WA") << int(AUState::wa) << true << "Foreign buyer surcharge (7%)";
        QTest::newRow("ACT") << int(AUState::act) << false << "ACT charges no foreign purchaser duty surcharge.";
        QTest::newRow("NT") << int(AUState::nt) << false << "NT charges no foreign purchaser duty surcharge.";
    }
    void foreignBuyerByState()
    {
        QFETCH(int, state);
        QFETCH(bool, checkbox);
        QFETCH(QString, text);
        UpfrontScreen s([&](CalculatorState &st) {
            st.state = AUState(state);
            st.isForeignBuyer = true;
        });
        auto *box = s.find<BrandCheckBox>("foreignBuyer");
        auto *note = s.find<FootNote>("noSurchargeNote");
        QCOMPARE(s.shows(box), checkbox);
        QCOMPARE(s.shows(note), !checkbox);
        QCOMPARE(checkbox ? box->text() : note->text(), text);
        QCOMPARE(s.shows(s.row("surchargeRow")), checkbox);
        if (checkbox)
            QCOMPARE(s.row("surchargeRow")->tint()(s.row("surchargeRow")->palette()),
                     Brand::bad(s.row("surchargeRow")->palette()));
        // The stored choice survives a visit to a state without a surcharge.
        QVERIFY(s.store.state().isForeignBuyer);
    }

    void mortgageInsuranceAroundEightyPercent()
    {
        UpfrontScreen s([](CalculatorState &st) {
            st.purchasePrice = 800000;
            st.depositAmount = 160000;
        });
        QCOMPARE(s.row("lvrRow")->value(), QStringLiteral("80.00%"));
        QCOMPARE(s.row("lvrRow")->tint()(s.row("lvrRow")->palette()), Brand::good(s.row("lvrRow")->palette()));
        QVERIFY(!s.shows(s.find<QWidget>("premiumRows")));
        QVERIFY(!s.shows(s.find<HeroNote>("heroNote")));
        QCOMPARE(s.find<HeroStat>("lvrStat")->value(), QStringLiteral("80.0%"));

        s.store.edit([](CalculatorState &st) { st.depositAmount = 80000; });
        const LMIResult lmi = s.store.lmi();
        QVERIFY(lmi.premium > 0);
        const QString total = Format::money(lmi.premium + lmi.stampDutyOnPremium, 0);
        QCOMPARE(s.row("lvrRow")->tint()(s.row("lvrRow")->palette()), Brand::accent(s.row("lvrRow")->palette()));
        QVERIFY(s.shows(s.find<QWidget>("premiumRows")));
        QCOMPARE(s.row("lmiTotalRow")->value(), total);
        QCOMPARE(s.row("premiumDutyRow")->label(), QStringLiteral("Duty on premium (VIC)"));
        QCOMPARE(s.row("capitalisedRow")->value(), Format::money(720000 + lmi.premium + lmi.stampDutyOnPremium, 0));
        QCOMPARE(s.row("avoidRow")->value(), QStringLiteral("$160,000"));
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), "LMI of " + total + " is usually capitalised on top of the loan.");
    }

    void firstHomeInTheAct()
    {
        UpfrontScreen s([](CalculatorState &st) {
            st.state = AUState::act;
            st.purchasePrice = 600000;
            st.buyerType = BuyerType::firstHome;
        });
        const DutyResult d = s.store.duty();
        QVERIFY(d.baseDuty > 0);
        QCOMPARE(s.row("concessionRow")->value(), QStringLiteral("\u2212") + Format::money(d.baseDuty, 0));
        QCOMPARE(s.row("payableRow")->value(), QStringLiteral("$0"));
        QCOMPARE(s.find<Card>("dutyCard")->title(), QStringLiteral("Transfer duty — ACT"));
    }
};

BROLGA_TEST_MAIN(TestScreens)
#include "tst_screens.moc"
