#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "platform/Platform.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Saltbush"));
    QCoreApplication::setApplicationName(QStringLiteral("Brolga"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BROLGA_VERSION));

    // One Brolga per session: a second launch brings the running one's window forward instead.
    brolga::SingleInstance instance(brolga::SingleInstance::defaultFolder());
    if (!instance.acquire()) {
        if (instance.handOver())
            return 0;
        std::fputs("Brolga is already running but did not answer; try again in a moment.\n", stderr);
        return 1;
    }

    brolga::AppDelegate delegate;
    QObject::connect(&instance, &brolga::SingleInstance::activationRequested, &delegate,
                     &brolga::AppDelegate::showWindow);
    // SIGTERM and SIGINT quit like the menu does: saved, and status 0.
    brolga::Platform::onTerminationSignals(&app, [&delegate] { delegate.quit(); });
    delegate.launch();
    return app.exec();
}
