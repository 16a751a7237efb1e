#include "app/settings/SettingsWindow.h"

#include "app/settings/AppAccessibility.h"
#include "app/settings/ClientBookSettings.h"
#include "app/settings/LogoPanel.h"
#include "app/settings/RoundedPanel.h"
#include "app/settings/SettingsField.h"
#include "app/settings/SettingsSection.h"
#include "app/settings/SettingsTabBar.h"
#include "app/settings/ShortcutSettings.h"
#include "app/settings/StartupSettings.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/ThemePalette.h"
#include "core/CalculatorStore.h"
#include "ui/brand/BrandAssetStore.h"
#include "ui/brand/BrandRule.h"
#include "ui/brand/SaltbushCredit.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/ThemeRow.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/StandardControlPalette.h"
#include "ui/controls/SymbolIcon.h"
#include "ui/update/UpdateSettings.h"
#include "update/UpdateCheck.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace brolga {

namespace {
constexpr int panePadding = 18;
constexpr int paneSpacing = 14;
} // namespace

const QString &SettingsWindow::privacyText()
{
    static const QString text = QStringLiteral(
        "Everything you enter stays on this computer \u2014 client names, incomes and loan amounts are never sent "
        "anywhere. No account, no cloud sync, and nothing is collected about what you calculate.");
    return text;
}

SettingsWindow::SettingsWindow(CalculatorStore &store, BrandAssetStore &assets, SettingsTab tab, QWidget *parent,
                               OpenUrl openUrl)
    : QWidget(parent), store_(store), assets_(assets)
{
    AppAccessibility::install();
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    tabBar_ = new SettingsTabBar(tab);
    column->addWidget(tabBar_);

    scroll_ = StandardControlPalette::scrollArea();
    auto *content = new QWidget;
    content->setAutoFillBackground(false);
    auto *paneColumn = new QVBoxLayout(content);
    paneColumn->setContentsMargins(panePadding, panePadding, panePadding, panePadding);
    panes_ = {buildIdentity(), buildAppearance(std::move(openUrl))};
    for (QWidget *pane : panes_)
        paneColumn->addWidget(pane);
    paneColumn->addStretch(1);
    scroll_->setWidget(content);
    column->addWidget(scroll_, 1);

    connect(tabBar_, &SettingsTabBar::tabSelected, this, &SettingsWindow::setTab);
    connect(&store_, &CalculatorStore::stateChanged, this, &SettingsWindow::refresh);
    setTab(tab);
    refresh();
}

SettingsTab SettingsWindow::tab() const { return tabBar_->selected(); }

void SettingsWindow::setTab(SettingsTab tab)
{
    tabBar_->select(tab);
    for (std::size_t i = 0; i < panes_.size(); ++i)
        panes_[i]->setVisible(static_cast<SettingsTab>(i) == tab);
}

QWidget *SettingsWindow::buildIdentity()
{
    auto *pane = new QWidget;
    auto *column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(paneSpacing);
    column->addWidget(new SettingsSection(tr("Your details"), tr("Printed under the title on every exported card.")));

    auto *fieldColumn = new QVBoxLayout;
    fieldColumn->setSpacing(9);
    struct Row {
        QString label;
        QString placeholder;
        QString CalculatorState::*member;
    };
    const Row rows[] = {
        {tr("Name"), QStringLiteral("Alex Citizen"), &CalculatorState::brokerName},
        {tr("Company"), QStringLiteral("Harbour Finance Pty Ltd"), &CalculatorState::brokerCompany},
        {tr("Email"), QStringLiteral("alex@harbourfinance.com.au"), &CalculatorState::brokerEmail},
        {tr("Phone"), QStringLiteral("0400 000 000"), &CalculatorState::brokerPhone},
        {tr("Credit licence"), QStringLiteral("ACL 000000 / Cr. Rep. 000000"), &CalculatorState::brokerLicence},
        {tr("Website"), QStringLiteral("harbourfinance.com.au"), &CalculatorState::brokerWebsite},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        fields_[i] = new SettingsField(rows[i].label, rows[i].placeholder, store_, rows[i].member);
        fieldColumn->addWidget(fields_[i]);
    }
    column->addLayout(fieldColumn);

    // The exact line the exports print under the name, as it is typed.
    preview_ = new QWidget;
    auto *previewColumn = new QVBoxLayout(preview_);
    previewColumn->setContentsMargins(0, 0, 0, 0);
    previewColumn->setSpacing(3);
    QFont capsFont = BrandType::sans(8.5, FontWeight::semibold);
    capsFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.53);
    previewColumn->addWidget(new BrandLabel(QStringLiteral("PREVIEW"), capsFont, &Brand::textSecondary));
    auto *box = new RoundedPanel(false, 6);
    auto *boxLayout = new QHBoxLayout(box);
    boxLayout->setContentsMargins(8, 5, 8, 5);
    previewLine_ = new BrandLabel(QString(), BrandType::sans(10.5), &Brand::textPrimary);
    previewLine_->setWrapping(true);
    boxLayout->addWidget(previewLine_);
    previewColumn->addWidget(box);
    column->addWidget(preview_);

    auto *privacy = new RoundedPanel(false, 6);
    auto *privacyRow = new QHBoxLayout(privacy);
    privacyRow->setContentsMargins(9, 9, 9, 9);
    privacyRow->setSpacing(7);
    privacyRow->addWidget(new SymbolIcon(QStringLiteral("lock.shield"), 11, &Brand::good), 0,
                          Qt::AlignTop);
    auto *privacyLabel = new BrandLabel(privacyText(), BrandType::sans(10), &Brand::textSecondary);
    privacyLabel->setWrapping(true);
    privacyRow->addWidget(privacyLabel, 1);
    column->addWidget(privacy);
    return pane;
}

QWidget *SettingsWindow::buildAppearance(OpenUrl openUrl)
{
    auto *pane = new QWidget;
    auto *column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(paneSpacing);
    column->addWidget(new SettingsSection(tr("Theme")));

    auto *rows = new QVBoxLayout;
    rows->setSpacing(6);
    for (const Theme &theme : Theme::all()) {
        auto *row = new ThemeRow(theme);
        // `toggled`: a reader's Toggle checks a row without clicking it.
        connect(row, &QAbstractButton::toggled, this, [this, row](bool on) {
            if (on)
                store_.applyTheme(row->theme().id);
        });
        themeRows_.push_back(row);
        rows->addWidget(row);
    }
    column->addLayout(rows);
    column->addWidget(new BrandRule);
    column->addWidget(
        new SettingsSection(tr("Your logo"), tr("PNG, at least 200px on the long edge. A transparent background works best.")));
    logoPanel_ = new LogoPanel(assets_);
    column->addWidget(logoPanel_);

    // The inputs beyond the ones every tab always shows: with this off the tabs look as they always have.
    column->addWidget(new BrandRule);
    column->addWidget(new SettingsSection(tr("More inputs")));
    detailedInputs_ = new BrandCheckBox(
        tr("Lender fees, a fixed portion and applicants in detail"),
        [this] { return store_.settings().detailedInputs(); },
        [this](bool on) {
            store_.setOffersDetailedInputs(on);
            clientBook_->setVisible(on || store_.settings().clientBookOnServer());
        });
    detailedInputs_->setFont(BrandType::sans(11));
    column->addWidget(detailedInputs_);
    clientBook_ = new ClientBookSettings(store_.settings());
    clientBook_->setVisible(store_.settings().detailedInputs() || store_.settings().clientBookOnServer());
    column->addWidget(clientBook_);

    // Start-up, the update preference (in a build that has an update service), then the maker's credit close
    // the pane.
    column->addWidget(new BrandRule);
    startup_ = new StartupSettings;
    column->addWidget(startup_);
    if (UpdateCheck::isOffered())
        column->addWidget(new UpdateSettings(store_, nullptr, std::move(openUrl)));
    column->addSpacing(4);
    column->addWidget(new SaltbushCredit(SaltbushCredit::Ground::light, 8.5), 0, Qt::AlignHCenter);
    return pane;
}

void SettingsWindow::showGlobalShortcut(GlobalShortcut &shortcut)
{
    if (shortcut_)
        return;
    shortcut_ = new ShortcutSettings(shortcut, store_.settings());
    auto *column = static_cast<QVBoxLayout *>(pane(SettingsTab::appearance)->layout());
    column->insertWidget(column->indexOf(startup_) + 1, shortcut_);
}

QString SettingsWindow::previewText() const { return preview_->isVisibleTo(this) ? previewLine_->text() : QString(); }

void SettingsWindow::refresh()
{
    const CalculatorState &s = store_.state();
    // The record's theme in the system's appearance; unchanged, this costs nothing.
    setPalette(ThemePalette::make(Theme::named(s.themeID), Brand::appearance()));
    const QString line = s.contactLine();
    previewLine_->setText(line);
    preview_->setVisible(!line.isEmpty());
    for (ThemeRow *row : themeRows_) {
        const QSignalBlocker quiet(row);
        row->setChecked(row->theme().id == s.themeID);
    }
    update();
}

bool SettingsWindow::event(QEvent *event)
{
    // Only a window hears of the system's palette directly; a view inside one sees its palette change.
    if (ThemePalette::isPaletteEvent(event))
        setPalette(ThemePalette::make(Theme::named(store_.state().themeID), Brand::appearance()));
    return QWidget::event(event);
}

void SettingsWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Brand::canvas(palette()));
}

} // namespace brolga
