#include "calc/CalcTest.h"
#include "calc/LMI.h"
#include "calc/StampDuty.h"

using namespace brolga;
using namespace calctest;

Q_DECLARE_METATYPE(brolga::AUState)
Q_DECLARE_METATYPE(brolga::PurchaseInputs)

namespace {

const QString indicative = QStringLiteral("Indicative only — capitalised premiums and lender rate cards will differ.");
const QString enter = QStringLiteral("Enter a loan amount and property value.");
const QString atOrBelow80 = QStringLiteral("LVR at or below 80% — no LMI payable.");
const QString above95 =
    QStringLiteral("LVR above 95% — outside standard LMI, needs a specialist or guarantor structure.");

// The record's default fees: 1,800 legal, 600 inspection, 500 other.
PurchaseInputs purchase(AUState st, double price, double deposit)
{
    PurchaseInputs s;
    s.legalFees = 1800;
    s.inspectionFees = 600;
    s.otherUpfrontCosts = 500;
    s.state = st;
    s.purchasePrice = price;
    s.depositAmount = deposit;
    return s;
}

} // namespace

class TestLMI : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Row and band choice at their limits: each limit belongs to the lower row or band.
    void rate_data()
    {
        QTest::addColumn<double>("loan");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("note");
        const QString above1m = QStringLiteral("Loan above $1m — LMI is individually assessed. Treat this as a floor.");
        const struct {
            const char *name;
            double loan, value, rate;
            QString note;
        } rows[] = {
            {"lvr 80", 400'000, 500'000, 0, atOrBelow80},
            {"lvr 80.01", 80'010, 100'000, 0.475, indicative},
            {"lvr 85", 850'000, 1'000'000, 0.936, indicative},
            {"lvr 85.01", 85'010, 100'000, 1.096, indicative},
            {"lvr 90", 540'000, 600'000, 1.727, indicative},
            {"lvr 90.01", 90'010, 100'000, 2.13, indicative},
            {"lvr 95", 950'000, 1'000'000, 3.559, indicative},
            {"lvr 95.01", 95'010, 100'000, 0, above95},
            // Value = 1.2 x loan keeps these in the 85 row.
            {"300k band 0", 300'000, 360'000, 0.475, indicative},
            {"300,001 band 1", 300'001, 360'000, 0.568, indicative},
            {"500k band 1", 500'000, 600'000, 0.568, indicative},
            {"500,001 band 2", 500'001, 600'000, 0.904, indicative},
            {"600k band 2", 600'000, 720'000, 0.904, indicative},
            {"600,001 band 3", 600'001, 720'000, 0.913, indicative},
            {"750k band 3", 750'000, 900'000, 0.913, indicative},
            {"750,001 band 4", 750'001, 900'000, 0.936, indicative},
            {"1m loan is not above 1m", 1'000'000, 1'100'000, 3.559, indicative},
            {"above 1m", 1'150'000, 1'250'000, 3.559, above1m},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.loan << r.value << r.rate << r.note;
        const struct {
            const char *name;
            double loan, value;
        } missing[] = {{"no loan", 0, 500'000},     {"no value", 400'000, 0},        {"negative loan", -1, 500'000},
                       {"nan loan", notANumber, 1}, {"infinite value", 1, inf}, {"infinite loan", inf, 1}};
        for (const auto &m : missing)
            QTest::newRow(m.name) << m.loan << m.value << 0.0 << enter;
    }
    void rate()
    {
        QFETCH(double, loan);
        QFETCH(double, value);
        const LMIResult r = LMI::calculate(loan, value, AUState::nsw);
        QTEST(r.ratePercent, "rate");
        QTEST(r.note, "note");
        QCOMPARE_CENTS(r.premium, r.ratePercent ? loan * r.ratePercent / 100 : 0.0);
        if (r.ratePercent == 0)
            QCOMPARE(r.stampDutyOnPremium, 0.0);
    }

    void premium_data()
    {
        QTest::addColumn<AUState>("st");
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("deposit");
        QTest::addColumn<double>("lvr");
        QTest::addColumn<double>("premium");
        QTest::addColumn<double>("duty");
        QTest::addColumn<double>("capitalised");
        QTest::newRow("nsw 90%") << AUState::nsw << 600'000.0 << 60'000.0 << 90.0 << 9'325.80 << 839.322 << 550'165.122;
        QTest::newRow("act no duty") << AUState::act << 600'000.0 << 60'000.0 << 90.0 << 9'325.80 << 0.0 << 549'325.80;
        QTest::newRow("sa 11%") << AUState::sa << 600'000.0 << 60'000.0 << 90.0 << 9'325.80 << 1'025.838 << 550'351.638;
        QTest::newRow("vic over 1m") << AUState::vic << 1'250'000.0 << 100'000.0 << 92.0 << 40'928.50 << 4'092.85
                                     << 1'195'021.35;
        QTest::newRow("lvr 80") << AUState::nsw << 500'000.0 << 100'000.0 << 80.0 << 0.0 << 0.0 << 400'000.0;
        QTest::newRow("deposit above price") << AUState::nsw << 500'000.0 << 600'000.0 << 0.0 << 0.0 << 0.0 << 0.0;
        // A negative deposit is no deposit, not extra borrowing.
        QTest::newRow("negative deposit")
            << AUState::nsw << 500'000.0 << -100'000.0 << 100.0 << 0.0 << 0.0 << 500'000.0;
        QTest::newRow("deposit nan") << AUState::nsw << 500'000.0 << notANumber << 100.0 << 0.0 << 0.0 << 500'000.0;
    }
    void premium()
    {
        QFETCH(AUState, st);
        QFETCH(double, price);
        QFETCH(double, deposit);
        const auto s = purchase(st, price, deposit);
        const LMIResult r = LMI::lmi(s);
        QTEST_CENTS(r.lvr, "lvr");
        QTEST_CENTS(r.premium, "premium");
        QTEST_CENTS(r.stampDutyOnPremium, "duty");
        QTEST_CENTS(LMI::loanIfCapitalised(s), "capitalised");
    }

    void depositToAvoidLMI()
    {
        QCOMPARE(LMI::depositToAvoidLMI(500'000), 100'000.0);
        QCOMPARE(LMI::lmi(purchase(AUState::nsw, 500'000, LMI::depositToAvoidLMI(500'000))).note, atOrBelow80);
        for (double bad : {-500'000.0, notANumber, inf})
            QCOMPARE(LMI::depositToAvoidLMI(bad), 0.0);
    }

    void fundsToComplete_data()
    {
        QTest::addColumn<PurchaseInputs>("input");
        QTest::addColumn<double>("expected");
        auto s = purchase(AUState::vic, 500'000, 100'000);
        s.buyer = BuyerType::ownerOccupier;
        s.legalFees = 2'000;
        s.inspectionFees = 600;
        s.otherUpfrontCosts = 0;
        QTest::newRow("vic owner") << s << 124'210.0;
        // The premium is capitalised, never part of the cash.
        s.depositAmount = 25'000;
        QTest::newRow("vic owner with lmi") << s << 49'210.0;
        s.dutyOverride = 0;
        QTest::newRow("override of 0") << s << 27'840.0;
        s.dutyOverride.reset();
        s.foreignBuyer = true;
        QTest::newRow("foreign") << s << 89'210.0;
        s.purchasePrice = 0;
        QTest::newRow("no price") << s << 27'600.0;
        s.dutyOverride = 10'000;
        QTest::newRow("override without price") << s << 37'600.0;
        s.dutyOverride.reset();
        s.depositAmount = -1e9;
        s.legalFees = notANumber;
        s.inspectionFees = -inf;
        QTest::newRow("bad amounts count as none") << s << 0.0;
    }
    void fundsToComplete()
    {
        QFETCH(PurchaseInputs, input);
        QTEST_CENTS(LMI::fundsToComplete(input), "expected");
    }

    // Any mix of bad amounts: every figure is finite and not negative. Only a sum past the largest double
    // overflows, and then to +inf, never to a negative or not-a-number figure.
    void invariants()
    {
        const double bad[] = {notANumber, inf, -inf, -1e300, -1, 0, 1, 1e300};
        for (AUState st : allCases<AUState>())
            for (double price : bad)
                for (double deposit : bad)
                    for (double fees : bad) {
                        auto s = purchase(st, price, deposit);
                        s.foreignBuyer = true;
                        s.legalFees = s.inspectionFees = s.otherUpfrontCosts = fees;
                        const LMIResult r = LMI::lmi(s);
                        const double funds = LMI::fundsToComplete(s);
                        const QByteArray where = rawValue(st).toLatin1() + ' ' + QByteArray::number(price) + ' ' +
                                                 QByteArray::number(deposit) + ' ' + QByteArray::number(fees);
                        for (double figure : {r.lvr, r.premium, r.stampDutyOnPremium, funds, LMI::loanRequired(s),
                                              LMI::loanIfCapitalised(s), LMI::depositToAvoidLMI(price)})
                            QVERIFY2(std::isfinite(figure) && figure >= 0, where);
                    }
        auto s = purchase(AUState::nsw, std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
        s.legalFees = std::numeric_limits<double>::max();
        QCOMPARE(LMI::fundsToComplete(s), inf);
    }
};

QTEST_GUILESS_MAIN(TestLMI)
#include "tst_lmi.moc"
