#include "ScreenTest.h"

#include "brand/Brand.h"
#include "core/Format.h"
#include "ui/IncomeView.h"
#include "ui/controls/BrandCheckBox.h"
#include "ui/controls/BrandDateField.h"
#include "ui/controls/FootNote.h"
#include "ui/controls/GradientButton.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/PillPicker.h"

#include <cmath>

using namespace brolga;
using Screen = screentest::Screen<IncomeView>;

namespace {
void pick(PillPicker *picker, const QString &label)
{
    for (int i = 0; i < picker->options().size(); ++i)
        if (picker->options().at(i).label == label)
            return picker->select(i);
    QFAIL(qPrintable("no pill " + label));
}
} // namespace

class TestIncomeView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { screentest::isolateSettings(); }

    void noPayRateAsksForOneAndCannotSend()
    {
        Screen s([](CalculatorState &st) { st.payRate = 0; });
        auto *send = s.find<GradientButton>("sendToCapacity");
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
        Screen s([](CalculatorState &st) {
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
        Screen s([](CalculatorState &st) {
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

        pick(s.find<PillPicker>("payBasis"), "Weekly");
        QCOMPARE(rate->config().label, QStringLiteral("Weekly pay"));
        QCOMPARE(rate->text(), QStringLiteral("46"));
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
        Screen s([&](CalculatorState &st) {
            st.employmentType = EmploymentType(type);
            st.payBasis = PayBasis(basis);
        });
        QCOMPARE(s.shows(s.field("contractorWeeks")), weeks);
        QCOMPARE(s.shows(s.find<FootNote>("casualNote")), casual);
    }

    void variableIncomeRowsAndLowerYearChoice()
    {
        Screen s([](CalculatorState &st) {
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

    void ytdCheckShowsItsVerdictTwice()
    {
        Screen s;
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
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), ytd->verdict);
        QCOMPARE(s.find<FootNote>("verdictNote")->text(), ytd->verdict);
        QVERIFY(s.row("againstRow")->value().startsWith(ytd->variance >= 0 ? "+" : "\u2212"));
    }

    void helpBelowTheThresholdCostsNothing()
    {
        Screen s([](CalculatorState &st) {
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
    }

    void typingThePayKeepsTheFieldWhileFiguresFollow()
    {
        Screen s;
        auto *rate = s.field("payRate");
        QVERIFY(s.focus(rate));
        s.type(rate, QStringLiteral("88000"), [&](const QString &typed) {
            QVERIFY(rate->lineEdit()->hasFocus());
            QCOMPARE(rate->text(), typed);
            QCOMPARE(s.find<HeroValue>("heroValue")->text(), Format::money(s.store.income().assessable, 0));
        });
        QCOMPARE(s.find<GradientButton>("sendToCapacity")->text(), QStringLiteral("Use $88,000 in Capacity \u2192"));
    }
};

QTEST_MAIN(TestIncomeView)
#include "tst_incomeview.moc"
