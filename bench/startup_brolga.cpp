// Brolga's launch as main() does it, ending as soon as the calculator window has been painted: the
// application, its names, the signal handling, the delegate with its store, logo store and update check,
// and launch(). The window shows as it does on a desktop without a system tray. The process ends with _exit
// after the paint, as empty_window does, so neither figure includes tearing down or the save on quit.
// The record and settings are the test locations' (~/.qttest), never the user's.
//
//   startup_brolga         start, paint, end
//   startup_brolga --rss   also print VmRSS (kB) after the first paint and after each tab is shown

#include "FirstPaint.h"

#include "app/shell/AppDelegate.h"
#include "app/shell/FloatingWindow.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QStandardPaths>

#include <array>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace brolga;

namespace {

constexpr std::array<std::pair<CalculatorTab, const char *>, 4> tabs{{
    {CalculatorTab::repayment, "repayment"},
    {CalculatorTab::capacity, "capacity"},
    {CalculatorTab::income, "income"},
    {CalculatorTab::upfront, "upfront"},
}};

// Shows tab `index` and every later one in turn, printing the resident set once each has been painted.
void showTabsFrom(AppDelegate &delegate, std::size_t index)
{
    if (index == tabs.size()) {
        std::fflush(stdout);
        _exit(0);
    }
    new bench::NextPaint(delegate.window(), [&delegate, index] {
        std::printf("%s %ld\n", tabs[index].second, bench::residentKb());
        showTabsFrom(delegate, index + 1);
    });
    delegate.store().edit([index](CalculatorState &s) { s.activeTab = tabs[index].first; });
    delegate.window()->update();
}

} // namespace

int main(int argc, char *argv[])
{
    const bool rss = argc > 1 && std::strcmp(argv[1], "--rss") == 0;
    QStandardPaths::setTestModeEnabled(true);

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Saltbush"));
    QCoreApplication::setApplicationName(QStringLiteral("Brolga"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BROLGA_VERSION));
    Platform::onTerminationSignals(&app, &QCoreApplication::quit);

    AppDelegate delegate(AppDelegate::TrayMode::noTray);
    // Every run opens on the same tab, whatever an earlier --rss run left in the record.
    if (delegate.store().state().activeTab != CalculatorTab::repayment)
        delegate.store().setState([&] {
            CalculatorState s = delegate.store().state();
            s.activeTab = CalculatorTab::repayment;
            return s;
        }());
    delegate.launch();
    new bench::NextPaint(delegate.window(), [&delegate, rss] {
        if (!rss)
            _exit(0);
        std::printf("launch %ld\n", bench::residentKb());
        showTabsFrom(delegate, 0);
    });
    return app.exec();
}
