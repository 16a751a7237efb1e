#pragma once

#include "core/ScreenChoices.h"
#include "tabs/TabRegistry.h"

#include <QUrl>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QScrollArea;
class QVariantAnimation;
class QVBoxLayout;

namespace brolga {

class BrandAssetStore;
class CalculatorStore;
class Commands;
class CreditFooter;
class HeaderButton;
class PillPicker;
class ToastCapsule;
class UpdateCheck;

// The whole content of the calculator window: the header with the window tools and the tab picker, an
// update strip when one is due, the active screen above the credit footer in a scrolling column, and the
// toast floating over the bottom.
class RootView : public QWidget {
    Q_OBJECT
public:
    // What the view asks of the application besides its commands; any of them may be left empty.
    struct Actions {
        std::function<void()> runUpdateCheck;
        std::function<void(const QUrl &)> openUrl; // default: the desktop's browser
        std::function<void(const QPoint &globalPos)> showContextMenu; // right click on the header
        std::function<QWidget *(QWidget *header)> makeClientButton;  // the open client's name, left of the tools
    };

    enum class Strip { none, consent, available };

    // The header's buttons show the commands' actions.
    RootView(CalculatorStore &store, BrandAssetStore &assets, UpdateCheck &updates, const Commands &commands,
             Actions actions, QWidget *parent = nullptr);

    // The screen of the active tab, and the one for any tab: built the first time it is asked for, then kept,
    // so a launch pays only for the tab it opens on.
    QWidget *activeScreen();
    QWidget *screen(CalculatorTab tab);
    Strip strip() const { return strip_; }
    QWidget *stripWidget() const { return stripWidget_; }
    PillPicker *tabPicker() const { return tabPicker_; }
    HeaderButton *pinButton() const { return pin_; }
    HeaderButton *copyButton() const { return copy_; }
    HeaderButton *snapshotButton() const { return snapshot_; }
    HeaderButton *settingsButton() const { return settings_; }
    QWidget *header() const { return header_; }
    QScrollArea *scrollArea() const { return scroll_; }
    ToastCapsule *toast() const { return toast_; }
    QWidget *toastUndo() const { return toastUndo_; }

    // Puts the keyboard focus in the active screen's first field (the first widget there that Tab reaches), or
    // nowhere when it has none; never in the header.
    void focusFirstField();

    // Which strip shows: none in a build without an update service; else by the record's consent and
    // whether a release is on offer.
    static Strip stripFor(bool updatesOffered, std::optional<bool> updateChecksEnabled, bool releaseAvailable);

    static constexpr int contentPadding = 12;
    static constexpr int contentSpacing = 12;
    static constexpr int toastBottom = 16;
    static constexpr int themeFadeMs = 180;

    QSize sizeHint() const override { return {470, 700}; }
    QSize minimumSizeHint() const override { return {430, 480}; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // A change of the system's appearance gives the view its palettes again.
    bool event(QEvent *event) override;
    // Tab and Shift+Tab go down and up the page in reading order, whenever each part was made.
    bool focusNextPrevChild(bool next) override;

private:
    QWidget *buildHeader();
    void refresh();
    void refreshStrip();
    void showActiveScreen();
    void placeToast();
    // The controls Tab visits, in reading order.
    std::vector<QWidget *> tabStops() const;
    // The record's theme in the system's appearance, the header always in the dark one.
    void applyPalettes();
    // Puts the record's theme on, fading the look it had out over the new one.
    void crossFadeTheme();

    CalculatorStore &store_;
    BrandAssetStore &assets_;
    UpdateCheck &updates_;
    const Commands &commands_;
    Actions actions_;

    QWidget *header_ = nullptr;
    PillPicker *tabPicker_ = nullptr;
    HeaderButton *pin_ = nullptr;
    HeaderButton *copy_ = nullptr;
    HeaderButton *snapshot_ = nullptr;
    HeaderButton *settings_ = nullptr;
    QVBoxLayout *stripSlot_ = nullptr;
    QWidget *stripWidget_ = nullptr;
    Strip strip_ = Strip::none;
    QString stripVersion_;
    QScrollArea *scroll_ = nullptr;
    QVBoxLayout *column_ = nullptr;
    std::array<QWidget *, TabRegistry::count> screens_{};
    CreditFooter *footer_ = nullptr;
    ToastCapsule *toast_ = nullptr;
    QWidget *toastUndo_ = nullptr;
    QString themeID_;
    // The view as it looked under the previous theme, faded out over the new one.
    QLabel *fadeOverlay_ = nullptr;
    QVariantAnimation *fade_ = nullptr;
};

} // namespace brolga
