// A process for the crash-safety tests to end.
//   save_child           edits and saves as fast as it can until killed: loanAmount counts up from 100001.
//   save_child pending   makes one edit, says so, and waits in the event loop with the save still pending,
//                        wired for termination signals as Brolga itself is.
#include "core/CalculatorStore.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

using namespace brolga;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    CalculatorStore store;

    if (argc > 1 && qstrcmp(argv[1], "pending") == 0) {
        Platform::onTerminationSignals(&app, &QCoreApplication::quit);
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &store, &CalculatorStore::saveNow);
        QTimer::singleShot(0, &store, [&store] {
            store.edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Saved on the way out"); });
            std::puts("edited");
            std::fflush(stdout);
        });
        return app.exec();
    }

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
