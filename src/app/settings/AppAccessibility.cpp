#include "app/settings/AppAccessibility.h"

#include "app/settings/SettingsTabBar.h"
#include "ui/controls/ToastCapsule.h"
#include "ui/WidgetAccessibility.h"
#include "ui/access/Accessibility.h"
#include "ui/access/AccessibleChoices.h"
#include "ui/access/AccessibleView.h"

#include <QAccessibleWidget>

namespace brolga::AppAccessibility {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    Accessibility::install();

    Accessibility::add("brolga::SettingsTabBar", [](QObject *o) {
        auto *bar = static_cast<SettingsTabBar *>(o);
        return new AccessibleChoices(bar,
                                     {.count = [] { return 2; },
                                      .label = [](int i) { return SettingsTabBar::title(static_cast<SettingsTab>(i)); },
                                      .selected = [bar] { return static_cast<int>(bar->selected()); },
                                      .rect = [bar](int i) { return bar->itemRect(static_cast<SettingsTab>(i)); },
                                      .select = [bar](int i) { bar->select(static_cast<SettingsTab>(i)); }});
    });
    Accessibility::add("brolga::ToastCapsule", [](QObject *o) {
        auto *toast = static_cast<ToastCapsule *>(o);
        return new AccessibleView(toast,
                                  {.role = QAccessible::AlertMessage, .name = [toast] { return toast->text(); }});
    });
    // The strips keep their buttons as children; their own names say what they are about.
    for (const char *strip : {"brolga::UpdateAvailableStrip", "brolga::UpdateConsentStrip"})
        Accessibility::add(strip, [](QObject *o) {
            return new QAccessibleWidget(static_cast<QWidget *>(o), QAccessible::AlertMessage);
        });
}

} // namespace brolga::AppAccessibility
