#include "ScreenTest.h"

#include "brand/Brand.h"
#include "core/Format.h"
#include "ui/UpfrontView.h"
#include "ui/controls/AccentButton.h"
#include "ui/controls/BrandCheckBox.h"
#include "ui/controls/Card.h"
#include "ui/controls/FootNote.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/PillPicker.h"

using namespace brolga;
using Screen = screentest::Screen<UpfrontView>;

class TestUpfrontView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { screentest::isolateSettings(); }

    void noPriceAsksForOneAndStillCountsTheCash()
    {
        Screen s([](CalculatorState &st) {
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
        Screen s([](CalculatorState &st) {
            st.state = AUState::vic;
            st.purchasePrice = 650000;
            st.buyerType = BuyerType::firstHome;
        });
        auto *button = s.find<AccentButton>("overrideButton");
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
        Screen s([&](CalculatorState &st) {
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
            QCOMPARE(s.row("surchargeRow")->tint()(), Brand::bad());
        // The stored choice survives a visit to a state without a surcharge.
        QVERIFY(s.store.state().isForeignBuyer);
    }

    void mortgageInsuranceAroundEightyPercent()
    {
        Screen s([](CalculatorState &st) {
            st.purchasePrice = 800000;
            st.depositAmount = 160000;
        });
        QCOMPARE(s.row("lvrRow")->value(), QStringLiteral("80.00%"));
        QCOMPARE(s.row("lvrRow")->tint()(), Brand::good());
        QVERIFY(!s.shows(s.find<QWidget>("premiumRows")));
        QVERIFY(!s.shows(s.find<HeroNote>("heroNote")));
        QCOMPARE(s.find<HeroStat>("lvrStat")->value(), QStringLiteral("80.0%"));

        s.store.edit([](CalculatorState &st) { st.depositAmount = 80000; });
        const LMIResult lmi = s.store.lmi();
        QVERIFY(lmi.premium > 0);
        const QString total = Format::money(lmi.premium + lmi.stampDutyOnPremium, 0);
        QCOMPARE(s.row("lvrRow")->tint()(), Brand::accent());
        QVERIFY(s.shows(s.find<QWidget>("premiumRows")));
        QCOMPARE(s.row("lmiTotalRow")->value(), total);
        QCOMPARE(s.row("premiumDutyRow")->label(), QStringLiteral("Duty on premium (VIC)"));
        QCOMPARE(s.row("capitalisedRow")->value(), Format::money(720000 + lmi.premium + lmi.stampDutyOnPremium, 0));
        QCOMPARE(s.row("avoidRow")->value(), QStringLiteral("$160,000"));
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), "LMI of " + total + " is usually capitalised on top of the loan.");
    }

    void firstHomeInTheAct()
    {
        Screen s([](CalculatorState &st) {
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

    void typingThePriceKeepsTheFieldWhileFiguresFollow()
    {
        Screen s;
        auto *price = s.field("purchasePrice");
        QVERIFY(s.focus(price));
        s.type(price, QStringLiteral("950000"), [&](const QString &typed) {
            QVERIFY(price->lineEdit()->hasFocus());
            QCOMPARE(price->text(), typed);
            QCOMPARE(s.find<HeroValue>("heroValue")->text(), Format::money(s.store.fundsToComplete(), 0));
            QCOMPARE(s.row("lvrRow")->value(), Format::percent(s.store.lmi().lvr, 2));
        });
        QCOMPARE(s.store.state().purchasePrice, 950000.0);
        QCOMPARE(s.row("governmentRow")->value(),
                 Format::money(s.store.duty().payable() + s.store.duty().transferFee + s.store.duty().mortgageFee, 0));
    }
};

QTEST_MAIN(TestUpfrontView)
#include "tst_upfrontview.moc"
