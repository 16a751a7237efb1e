#include "app/shell/RootView.h"

#include "app/settings/AppAccessibility.h"
#include "app/shell/Commands.h"
#include "app/shell/HeaderTabPicker.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/Motion.h"
#include "brand/ThemePalette.h"
#include "core/CalculatorStore.h"
#include "core/StateHistory.h"
#include "ui/ScreenFactory.h"
#include "ui/access/AccessibleView.h"
#include "ui/brand/BrandAssetStore.h"
#include "ui/brand/BrandLockup.h"
#include "ui/brand/CreditFooter.h"
#include "ui/buttons/HeaderButton.h"
#include "ui/buttons/TextActionButton.h"
#include "ui/controls/StandardControlPalette.h"
#include "ui/controls/ToastCapsule.h"
#include "ui/update/UpdateAvailableStrip.h"
#include "ui/update/UpdateConsentStrip.h"
#include "update/UpdateCheck.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVariantAnimation>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace brolga {

namespace {

constexpr qreal ruleHeight = 1.5;

QWidget *makeBadge(QWidget *parent)
{
    auto *badge = new QLabel(QStringLiteral("AU"), parent);
    QFont font = BrandType::sans(8.5, FontWeight::semibold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    badge->setFont(font);
    badge->setObjectName(QStringLiteral("auBadge"));
    badge->setAlignment(Qt::AlignCenter);
    badge->setContentsMargins(4, 1, 4, 1);
    return badge;
}

// A style sheet replaces the badge's own palette: its colours come from the header's.
void styleBadge(QWidget *badge, const QPalette &header)
{
    QColor outline = Brand::rgb(Brand::theme(header).accentOnDark);
    outline.setAlphaF(0.35);
    const QColor text = Brand::rgb(Brand::theme(header).textPrimaryDark);
    const int radius = badge->sizeHint().height() / 2;
    badge->setStyleSheet(QStringLiteral("#auBadge { color: %1; background: rgba(255,255,255,26); border: 1px solid %2; "
                                        "border-radius: %3px; padding: 0px 3px; }")
                             .arg(text.name(), outline.name(QColor::HexArgb), QString::number(radius)));
}

} // namespace

RootView::RootView(CalculatorStore &store, BrandAssetStore &assets, UpdateCheck &updates, const Commands &commands,
                   Actions actions, QWidget *parent)
    : QWidget(parent), store_(store), assets_(assets), updates_(updates), commands_(commands),
      actions_(std::move(actions)), themeID_(store.state().themeID)
{
    AppAccessibility::install();
    if (!actions_.openUrl)
        actions_.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());

    stripSlot_ = new QVBoxLayout;
    stripSlot_->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(stripSlot_);

    scroll_ = StandardControlPalette::scrollArea(this);
    auto *content = new QWidget;
    content->setAutoFillBackground(false);
    column_ = new QVBoxLayout(content);
    column_->setContentsMargins(contentPadding, contentPadding, contentPadding, contentPadding);
    column_->setSpacing(contentSpacing);
    footer_ = new CreditFooter;
    const auto showLoanCosts = [this] {
        footer_->setLoanCostsEntered(store_.state().feesEnabled || store_.state().fixedEnabled);
    };
    showLoanCosts();
    connect(&store_, &CalculatorStore::stateChanged, footer_, showLoanCosts);
    column_->addWidget(footer_);
    column_->addStretch(1);
    scroll_->setWidget(content);
    layout->addWidget(scroll_, 1);

    toast_ = new ToastCapsule(this);
    connect(toast_, &ToastCapsule::progressChanged, this, &RootView::placeToast);
    // The Undo a toast offers after a reset or a figure sent to another tab: over the capsule, but a
    // control of the view's own, so Tab and readers reach it.
    toastUndo_ = new TextActionButton(tr("Undo"), [this] { commands_.action(Commands::Id::undo)->trigger(); }, this);
    toastUndo_->setObjectName(QStringLiteral("toastUndo"));
    toastUndo_->setToolTip(Commands::withKeys(tr("Undo (%1)"), commands_.action(Commands::Id::undo)->shortcut()));
    toastUndo_->hide();
    // Once anything else is done or undone, the offer would take back something else.
    connect(&store_.history(), &StateHistory::changed, this, [this] {
        if (store_.toastUndoable())
            store_.dismissToast();
    });
    connect(&store_, &CalculatorStore::toastChanged, this, [this] {
        if (store_.toast()) {
            toast_->setTrailingRoom(store_.toastUndoable() ? toastUndo_->sizeHint().width() : 0);
            // A reader hears the way back with the message.
            toast_->setAccessibleDescription(store_.toastUndoable() ? toastUndo_->toolTip() : QString());
        }
        toast_->setToast(store_.toast());
        placeToast();
        toast_->raise();
        if (store_.toast())
            AccessibleView::alert(toast_);
    });

    fadeOverlay_ = new QLabel(this);
    fadeOverlay_->setObjectName(QStringLiteral("themeFade"));
    fadeOverlay_->setAttribute(Qt::WA_TransparentForMouseEvents);
    fadeOverlay_->hide();
    auto *effect = new QGraphicsOpacityEffect(fadeOverlay_);
    fadeOverlay_->setGraphicsEffect(effect);
    fade_ = new QVariantAnimation(this);
    fade_->setDuration(themeFadeMs);
    fade_->setEasingCurve(QEasingCurve::OutCubic);
    fade_->setStartValue(1.0);
    fade_->setEndValue(0.0);
    connect(fade_, &QVariantAnimation::valueChanged, this, [effect](const QVariant &v) { effect->setOpacity(v.toReal()); });
    connect(fade_, &QVariantAnimation::finished, this, [this] {
        fadeOverlay_->hide();
        fadeOverlay_->clear();
    });

    connect(&store_, &CalculatorStore::stateChanged, this, &RootView::refresh);
    connect(&updates_, &UpdateCheck::availableChanged, this, &RootView::refreshStrip);
    applyPalettes();
    refresh();
}

QWidget *RootView::buildHeader()
{
    header_ = new QWidget(this);
    header_->setObjectName(QStringLiteral("header"));
    auto *rows = new QVBoxLayout(header_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(12, 9, 12, 9);
    top->setSpacing(8);
    top->addWidget(new BrandLockup(BrandLockup::Ground::dark, 14, header_));
    QWidget *badge = makeBadge(header_);
    top->addWidget(badge, 0, Qt::AlignVCenter);
    top->addStretch(1);
    if (actions_.makeClientButton)
        top->addWidget(actions_.makeClientButton(header_), 0, Qt::AlignVCenter);

    using Id = Commands::Id;
    pin_ = new HeaderButton(commands_.action(Id::alwaysOnTop), QStringLiteral("pin.fill"), QStringLiteral("pin.slash"),
                            header_);
    copy_ = new HeaderButton(commands_.action(Id::copyFigures), QStringLiteral("doc.on.doc"), QString(), header_);
    snapshot_ =
        new HeaderButton(commands_.action(Id::exportSnapshot), QStringLiteral("camera.viewfinder"), QString(), header_);
    // The secondary click offers the other ways to export.
    snapshot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(snapshot_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->setObjectName(QStringLiteral("snapshotMenu"));
        menu->addAction(commands_.action(Id::copySnapshotOnly));
        menu->addAction(commands_.action(Id::saveSnapshotAs));
        menu->addSeparator();
        menu->addAction(commands_.action(Id::exportReport));
        menu->popup(snapshot_->mapToGlobal(at));
    });
    settings_ = new HeaderButton(commands_.action(Id::settings), QStringLiteral("gearshape"), QString(), header_);
    for (HeaderButton *button : {pin_, copy_, snapshot_, settings_})
        top->addWidget(button);
    rows->addLayout(top);

    auto *pickerRow = new QHBoxLayout;
    pickerRow->setContentsMargins(12, 0, 12, 10);
    tabPicker_ = new HeaderTabPicker(store_, header_);
    tabPicker_->setAccessibleName(tr("Calculator"));
    pickerRow->addWidget(tabPicker_);
    rows->addLayout(pickerRow);
    // Room for the rule along the bottom edge.
    rows->addSpacing(2);

    // The tray menu lives here too, for desktops without a tray.
    header_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (actions_.showContextMenu)
            actions_.showContextMenu(header_->mapToGlobal(at));
    });
    return header_;
}

QWidget *RootView::screen(CalculatorTab tab)
{
    QWidget *&slot = screens_[static_cast<std::size_t>(tab)];
    if (slot)
        return slot;
    slot = ScreenFactory::make(tab, store_);
    slot->hide();
    // Above the credit footer; only one screen shows at a time, so their order among themselves is free.
    column_->insertWidget(column_->indexOf(footer_), slot);
    return slot;
}

QWidget *RootView::activeScreen() { return screen(store_.state().activeTab); }

void RootView::focusFirstField()
{
    QWidget *active = activeScreen();
    QWidget *top = window();
    // The focus chain runs through the window in Tab order; the first stop inside the screen that takes typing
    // is its first field (pickers are Tab stops too, but digits typed into one would go nowhere).
    QWidget *firstStop = nullptr;
    QWidget *w = top;
    do {
        w = w->nextInFocusChain();
        if (active->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(top) && (w->focusPolicy() & Qt::TabFocus)) {
            if (w->testAttribute(Qt::WA_InputMethodEnabled))
                return w->setFocus(Qt::TabFocusReason);
            if (!firstStop)
                firstStop = w;
        }
    } while (w != top);
    if (firstStop)
        return firstStop->setFocus(Qt::TabFocusReason);
    if (QWidget *focus = top->focusWidget())
        focus->clearFocus();
}

RootView::Strip RootView::stripFor(bool updatesOffered, std::optional<bool> updateChecksEnabled, bool releaseAvailable)
{
    if (!updatesOffered)
        return Strip::none;
    if (!updateChecksEnabled)
        return Strip::consent;
    return releaseAvailable ? Strip::available : Strip::none;
}

void RootView::refresh()
{
    const CalculatorState &s = store_.state();
    showActiveScreen();
    refreshStrip();
    if (s.themeID != themeID_)
        crossFadeTheme();
}

void RootView::showActiveScreen()
{
    QWidget *active = activeScreen();
    if (active->isVisibleTo(this) && active->parentWidget())
        return;
    for (QWidget *screen : screens_)
        if (screen && screen != active)
            screen->hide();
    active->show();
    scroll_->verticalScrollBar()->setValue(0);
}

void RootView::refreshStrip()
{
    const auto &release = updates_.available();
    const Strip want = stripFor(UpdateCheck::isOffered(), store_.state().updateChecksEnabled, release.has_value());
    const QString version = want == Strip::available ? release->version : QString();
    if (want == strip_ && version == stripVersion_ && (want == Strip::none) == (stripWidget_ == nullptr))
        return;
    if (stripWidget_) {
        stripSlot_->removeWidget(stripWidget_);
        stripWidget_->hide();
        stripWidget_->deleteLater();
        stripWidget_ = nullptr;
    }
    strip_ = want;
    stripVersion_ = version;
    if (want == Strip::consent) {
        stripWidget_ = new UpdateConsentStrip(UpdateConsentStrip::recordAnswer(store_, [this] {
            if (actions_.runUpdateCheck)
                actions_.runUpdateCheck();
        }));
    } else if (want == Strip::available) {
        stripWidget_ = new UpdateAvailableStrip(
            version, [this] { actions_.openUrl(UpdateCheck::downloadPage()); }, [this] { updates_.dismiss(); });
    }
    if (stripWidget_) {
        stripSlot_->addWidget(stripWidget_);
        // Announced once it shows, which the layout does on the next turn of the event loop.
        QMetaObject::invokeMethod(
            stripWidget_, [strip = stripWidget_] { AccessibleView::alert(strip); }, Qt::QueuedConnection);
    }
}

std::vector<QWidget *> RootView::tabStops() const
{
    // Down the page: the header, the strip under it, the screen, the footer. Within each part the order
    // is the part's own; a strip or a screen made later would otherwise come after the footer.
    std::vector<QWidget *> parts{header_, stripWidget_};
    parts.insert(parts.end(), screens_.begin(), screens_.end());
    parts.push_back(footer_);
    auto partOf = [&parts](QWidget *w) {
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (parts[i] && (parts[i] == w || parts[i]->isAncestorOf(w)))
                return i;
        return parts.size();
    };
    std::vector<QWidget *> stops;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->focusProxy() && isAncestorOf(w) &&
            w->isVisibleTo(this))
            stops.push_back(w);
    std::stable_sort(stops.begin(), stops.end(), [&](QWidget *a, QWidget *b) { return partOf(a) < partOf(b); });
    return stops;
}

bool RootView::focusNextPrevChild(bool next)
{
    const std::vector<QWidget *> stops = tabStops();
    if (stops.empty())
        return QWidget::focusNextPrevChild(next);
    const auto at = std::find(stops.begin(), stops.end(), QApplication::focusWidget());
    const std::ptrdiff_t count = std::ptrdiff_t(stops.size());
    std::ptrdiff_t index = at == stops.end() ? (next ? -1 : count) : at - stops.begin();
    // Round the window: this view is all of it.
    index = ((next ? index + 1 : index - 1) % count + count) % count;
    QWidget *target = stops[std::size_t(index)];
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    if (scroll_->widget()->isAncestorOf(target))
        scroll_->ensureWidgetVisible(target);
    return true;
}

void RootView::applyPalettes()
{
    const Theme &theme = Theme::named(themeID_);
    setPalette(ThemePalette::make(theme, Brand::appearance()));
    header_->setPalette(ThemePalette::make(theme, Appearance::dark));
    toastUndo_->setPalette(header_->palette()); // on the dark capsule
    if (QWidget *badge = header_->findChild<QWidget *>(QStringLiteral("auBadge")))
        styleBadge(badge, header_->palette());
}

void RootView::crossFadeTheme()
{
    const bool fades = isVisible() && !Motion::reduced() && width() > 0 && height() > 0;
    // The view as it looks now, still in the old theme's palettes, to fade out over the new one.
    QPixmap before;
    if (fades) {
        fadeOverlay_->hide();
        before = grab();
    }
    themeID_ = store_.state().themeID;
    applyPalettes();
    if (!fades)
        return;
    fadeOverlay_->setPixmap(before);
    fadeOverlay_->setGeometry(rect());
    fadeOverlay_->show();
    fadeOverlay_->raise();
    toast_->raise();
    fade_->stop();
    fade_->start();
}

void RootView::placeToast()
{
    const QSize size = toast_->sizeHint();
    toast_->resize(size);
    // Slides up from below the bottom edge as it fades in.
    const int restY = height() - toastBottom - size.height() + ToastCapsule::margin;
    const int hiddenY = height();
    const int y = qRound(hiddenY + (restY - hiddenY) * toast_->progress());
    toast_->move((width() - size.width()) / 2, y);
    toast_->raise();
    const bool offer = store_.toastUndoable() && toast_->progress() > 0;
    toastUndo_->setVisible(offer);
    if (offer) {
        const QRect room = toast_->trailingRect().translated(toast_->pos());
        QRect button(QPoint(), toastUndo_->sizeHint());
        button.moveCenter(room.center());
        toastUndo_->setGeometry(button);
        toastUndo_->raise();
    }
}

void RootView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeToast();
    if (fadeOverlay_->isVisible())
        fadeOverlay_->setGeometry(rect());
}

bool RootView::event(QEvent *event)
{
    // Only a window hears of the system's palette directly; a view inside one sees its palette change.
    if (ThemePalette::isPaletteEvent(event))
        applyPalettes();
    return QWidget::event(event);
}

void RootView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Brand::canvas(palette()));
    const QRectF head(0, 0, width(), header_->geometry().bottom() + 1);
    p.fillRect(head, Brand::navyField(palette(), head));
    p.fillRect(QRectF(0, head.bottom() - ruleHeight, width(), ruleHeight),
               Brand::rgb(Brand::theme(palette()).accentOnDark));
}

} // namespace brolga
