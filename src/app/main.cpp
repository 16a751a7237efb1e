#include "app/shell/AppDelegate.h"
#include "app/shell/CommandLine.h"
#include "app/shell/SingleInstance.h"
#include "brand/Motion.h"
#include "core/ConfigFolderLock.h"
#include "core/Settings.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    // --help, --version and mistakes answer before there is a display or a stored record to touch.
    const brolga::CommandLine commandLine(argc, argv);
    if (const auto status = commandLine.answer())
        return *status;

    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // Windows has no reduce-motion setting of its own; its "animate controls" effect stands in for it.
    Motion::setPlatformQuery([] { return !QApplication::isEffectEnabled(Qt::UI_General); });
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("Saltbush"));
    QCoreApplication::setApplicationName(QStringLiteral("Brolga"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BROLGA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(BROLGA_APP_ID));

    // One Brolga per session: a second launch brings the running one's window forward instead.
    brolga::SingleInstance instance(brolga::SingleInstance::defaultFolder());
    if (!instance.acquire()) {
        // At login one that is already running is all that was asked for; nothing comes forward.
        if (commandLine.atLogin() || instance.handOver())
            return 0;
        std::fputs("Brolga is already running but did not answer; try again in a moment.\n", stderr);
        return 1;
    }
    // One Brolga per configuration folder as well: another session of this user (a remote desktop, a second
    // login) shares it. Held until the process ends; nothing is written when it is taken.
    brolga::ConfigFolderLock folderLock(QFileInfo(brolga::Settings::defaultPath()).absolutePath());
    if (!folderLock.acquire()) {
        std::fputs("Brolga is already open elsewhere for this user (in another session); quit it there first.\n",
                   stderr);
        return 1;
    }
    // At login the panel may still be starting: give its tray a moment before settling for a window.
    if (commandLine.atLogin())
        brolga::Platform::waitForSystemTray(10000);

    brolga::AppDelegate delegate;
    QObject::connect(&instance, &brolga::SingleInstance::activationRequested, &delegate,
                     &brolga::AppDelegate::showWindow);
    // SIGTERM, SIGINT and SIGHUP quit like the menu does: saved, and status 0.
    brolga::Platform::onTerminationSignals(&app, [&delegate] { delegate.quit(); });
    delegate.launch(commandLine.atLogin() ? brolga::AppDelegate::Start::atLogin : brolga::AppDelegate::Start::byUser);
    return app.exec();
}
