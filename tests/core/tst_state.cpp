#include "core/CalculatorState.h"
#include "core/StateCodec.h"

#include <QTest>

using namespace brolga;

class TestState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyObjectDecodesToDefaults()
    {
        const auto s = StateCodec::decode("{}");
        QVERIFY(s.has_value());
        QVERIFY(*s == CalculatorState{});
    }
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"
