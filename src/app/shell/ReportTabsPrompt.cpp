#include "app/shell/ReportTabsPrompt.h"

#include "app/clients/ClientPromptDialog.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "platform/ActiveWindowGuard.h"
#include "tabs/TabRegistry.h"
#include "ui/buttons/BrandCheckBox.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace brolga {

namespace {
ReportTabsPrompt::Handler handler;
} // namespace

QString ReportTabsPrompt::noneTicked()
{
    return QObject::tr("Tick at least one tab: a report with none would be empty.");
}

QString ReportTabsPrompt::noIdentity()
{
    return QObject::tr("Your name and licence are not set (Settings, Identity): the report will not say who "
                       "prepared it.");
}

std::optional<std::vector<CalculatorTab>> ReportTabsPrompt::ask(QWidget *parent, const Request &request)
{
    if (handler)
        return handler(request);
    ClientPromptDialog dialog(QObject::tr("Client report"), QObject::tr("Which tabs go in the report?"),
                              ThemePalette::make(Theme::named(request.themeID), Brand::appearance()), parent);
    std::array<bool, TabRegistry::count> ticked{};
    auto *boxes = new QWidget;
    auto *column = new QVBoxLayout(boxes);
    column->setContentsMargins(0, 4, 0, 4);
    column->setSpacing(8);
    dialog.addContent(boxes);
    if (request.identityMissing) {
        auto *note = new QLabel(noIdentity());
        note->setWordWrap(true);
        note->setFont(BrandType::sans(11));
        QPalette muted = note->palette();
        muted.setColor(QPalette::WindowText, Brand::textSecondary(dialog.palette()));
        note->setPalette(muted);
        dialog.addContent(note);
    }
    dialog.addAnswer(QObject::tr("Cancel"), QDialog::Rejected);
    QAbstractButton *save = dialog.addAnswer(QObject::tr("Export\u2026"), QDialog::Accepted, true);
    const auto follow = [&] {
        const bool any = std::find(ticked.begin(), ticked.end(), true) != ticked.end();
        save->setEnabled(any);
        dialog.setRefusal(any ? QString() : noneTicked());
        save->setAccessibleDescription(any ? QString() : noneTicked());
    };
    for (std::size_t i = 0; i < TabRegistry::count; ++i) {
        const TabInfo &info = TabRegistry::tabs()[i];
        ticked[i] = std::find(request.ticked.begin(), request.ticked.end(), info.id) != request.ticked.end();
        column->addWidget(new BrandCheckBox(
            info.heading, [&ticked, i] { return ticked[i]; },
            [&ticked, i, &follow](bool on) {
                ticked[i] = on;
                follow();
            }));
    }
    follow();
    const ActiveWindowGuard keyboard(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<CalculatorTab> chosen;
    for (std::size_t i = 0; i < TabRegistry::count; ++i)
        if (ticked[i])
            chosen.push_back(TabRegistry::tabs()[i].id);
    return chosen;
}

void ReportTabsPrompt::setHandler(Handler handler_)
{
    handler = std::move(handler_);
}

} // namespace brolga
