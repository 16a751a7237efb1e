// A process for the crash-safety tests to end.
//   save_child [full]    edits and saves as fast as it can until killed: loanAmount counts up from what is
//                        stored, and each save that reached the disk prints "saved N". With "full" every
//                        write fails as on a full disk (the seam, where the test has no small disk of its own).
//   save_child pending   makes one edit, says so, and waits in the event loop with the save still pending,
//                        wired for termination signals as Brolga itself is.
#include "core/CalculatorStore.h"
#include "core/SafeFile.h"
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
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &store, [&store] { store.saveNow(); });
        QTimer::singleShot(0, &store, [&store] {
            store.edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Saved on the way out"); });
            std::puts("edited");
            std::fflush(stdout);
        });
        return app.exec();
    }
    if (argc > 1 && qstrcmp(argv[1], "full") == 0)
        SafeFile::setSpaceLeftForTesting(0);

    int n = qMax(0, int(store.state().loanAmount) - 100000);
    QObject::connect(&store, &CalculatorStore::saved, [&n] {
        std::printf("saved %d\n", n);
        std::fflush(stdout);
    });
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        ++n;
        store.edit([n](CalculatorState &s) {
            s.loanAmount = 100000 + n;
            s.brokerName = QStringLiteral("Broker %1").arg(n);
        });
        store.saveNow();
    }
}
