// Edits and saves the record as fast as it can until killed: loanAmount counts up from 100001.
#include "core/CalculatorStore.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <cstdio>

using namespace brolga;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    CalculatorStore store;
    std::puts("ready");
    std::fflush(stdout);
    for (int i = 1;; ++i) {
        store.edit([i](CalculatorState &s) {
            s.loanAmount = 100000 + i;
            s.brokerName = QStringLiteral("Broker %1").arg(i);
        });
        store.saveNow();
    }
}
