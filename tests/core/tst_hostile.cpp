// Every numeric member of a stored record set to a hostile value goes through every calculation.
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "core/StateFields.h"

#include <QStandardPaths>
#include <QTest>

#include <cmath>
#include <limits>
#include <type_traits>

using namespace brolga;

namespace {
// A shown figure is either a number or the dash; never "nan", "inf" or an empty text.
bool showable(double v)
{
    const QString text = Format::money(v, 2);
    return std::isfinite(v) ? text.startsWith(u'$') || text.startsWith(u'-') : text == QStringLiteral("\u2014");
}
} // namespace

class TestHostile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void everyNumericFieldEveryCalculation()
    {
        const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(), -1e308, 1e308, -1, 0, 1e-300};
        CalculatorStore store;
        store.setClock([] { return QDateTime(QDate(2026, 12, 6), QTime(10, 0)); });
        int checked = 0;
        forEachStateField([&](const char *key, auto member) {
            using T = std::decay_t<decltype(CalculatorState{}.*member)>;
            if constexpr (std::is_same_v<T, double> || std::is_same_v<T, std::optional<double>>) {
                for (double v : values) {
                    CalculatorState s;
                    s.ytdGross = 50000;
                    s.ytdPeriodEnd = QDateTime(QDate(2026, 11, 30), QTime(12, 0));
                    s.extraRepayment = 100;
                    s.isCompareMode = true;
                    s.repaymentType = checked % 2 ? RepaymentType::interestOnly : RepaymentType::principalAndInterest;
                    s.*member = v;
                    store.setState(s);

                    for (const auto &sc : {store.scenario(), store.baselineScenario(), store.compareScenario()})
                        if (sc) {
                            QVERIFY2(int(sc->schedule.size()) <= sc->contractedPeriods, key);
                            QVERIFY2(showable(sc->payment) && showable(sc->totalInterest), key);
                        }
                    if (const auto cap = store.capacity())
                        QVERIFY2(showable(cap->maxLoan) && cap->maxLoan >= 0, key);
                    const IncomeResult income = store.income();
                    QVERIFY2(showable(income.assessable) && showable(income.netMonthly), key);
                    const DutyResult duty = store.duty();
                    QVERIFY2(duty.payable() >= 0 && duty.concession <= duty.baseDuty + 1e-9, key);
                    const LMIResult lmi = store.lmi();
                    QVERIFY2(lmi.premium >= 0 && lmi.stampDutyOnPremium >= 0, key);
                    QVERIFY2(store.fundsToComplete() >= 0 && showable(store.fundsToComplete()), key);
                    ++checked;
                }
            }
        });
        QCOMPARE(checked, 8 * 29); // 28 doubles and the optional duty override
    }
};

QTEST_GUILESS_MAIN(TestHostile)
#include "tst_hostile.moc"
