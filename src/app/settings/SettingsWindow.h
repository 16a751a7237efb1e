#pragma once

#include "app/settings/SettingsTab.h"

#include <QUrl>
#include <QWidget>

#include <array>
#include <functional>

class QScrollArea;

namespace brolga {

class BrandAssetStore;
class BrandCheckBox;
class ClientBookSettings;
class GlobalShortcut;
class ShortcutSettings;
class BrandLabel;
class CalculatorStore;
class LogoPanel;
class SettingsField;
class SettingsTabBar;
class StartupSettings;
class ThemeRow;

// The settings window's content: the tab bar over the identity pane (the six details every export
// carries, with a live preview of the contact line) or the appearance pane (themes, logo, start-up,
// updates, credit).
// Every control writes straight into the store or the logo store; there is nothing to confirm.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    using OpenUrl = std::function<void(const QUrl &)>;

    SettingsWindow(CalculatorStore &store, BrandAssetStore &assets, SettingsTab tab, QWidget *parent = nullptr,
                   OpenUrl openUrl = {});

    SettingsTab tab() const;
    void setTab(SettingsTab tab);
    SettingsTabBar *tabBar() const { return tabBar_; }
    QWidget *pane(SettingsTab tab) const { return panes_[static_cast<std::size_t>(tab)]; }
    // Name, Company, Email, Phone, Credit licence, Website.
    const std::array<SettingsField *, 6> &fields() const { return fields_; }
    QWidget *preview() const { return preview_; }
    QString previewText() const;
    const std::vector<ThemeRow *> &themeRows() const { return themeRows_; }
    LogoPanel *logoPanel() const { return logoPanel_; }
    StartupSettings *startupSettings() const { return startup_; }
    BrandCheckBox *detailedInputsBox() const { return detailedInputs_; }
    // Offered under More inputs, or while the book is on the office's server.
    ClientBookSettings *clientBookSettings() const { return clientBook_; }
    // The keyboard section under start-up, for the program's one global shortcut.
    void showGlobalShortcut(GlobalShortcut &shortcut);
    ShortcutSettings *shortcutSettings() const { return shortcut_; }

    static constexpr QSize windowSize{460, 500};
    static const QString &privacyText();

    QSize sizeHint() const override { return windowSize; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // A change of the system's appearance gives the window its palette again.
    bool event(QEvent *event) override;

private:
    QWidget *buildIdentity();
    QWidget *buildAppearance(OpenUrl openUrl);
    void refresh();

    CalculatorStore &store_;
    BrandAssetStore &assets_;
    SettingsTabBar *tabBar_;
    QScrollArea *scroll_;
    std::array<QWidget *, 2> panes_{};
    std::array<SettingsField *, 6> fields_{};
    QWidget *preview_ = nullptr;
    BrandLabel *previewLine_ = nullptr;
    std::vector<ThemeRow *> themeRows_;
    LogoPanel *logoPanel_ = nullptr;
    StartupSettings *startup_ = nullptr;
    BrandCheckBox *detailedInputs_ = nullptr;
    ClientBookSettings *clientBook_ = nullptr;
    ShortcutSettings *shortcut_ = nullptr;
};

} // namespace brolga
