#include "app/AppDelegate.h"
#include "platform/Platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Saltbush"));
    QCoreApplication::setApplicationName(QStringLiteral("Brolga"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BROLGA_VERSION));
    // SIGTERM and SIGINT end the loop normally, so the record is saved like on any other quit.
    brolga::Platform::onTerminationSignals(&app, &QCoreApplication::quit);

    brolga::AppDelegate delegate;
    delegate.launch();
    return app.exec();
}
