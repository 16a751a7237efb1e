#include "app/settings/LogoPanel.h"

#include "app/settings/LogoTile.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/ThemePalette.h"
#include "ui/brand/BrandAssetStore.h"
#include "ui/brand/CustomLogoMark.h"
#include "ui/buttons/AddItemButton.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/StandardControlPalette.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace brolga {

LogoPanel::LogoPanel(BrandAssetStore &assets, QWidget *parent) : QWidget(parent), assets_(assets)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    auto *holder = new QWidget;
    stack_ = new QStackedLayout(holder);

    withLogo_ = new QWidget;
    auto *row = new QHBoxLayout(withLogo_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    auto *tile = new LogoTile;
    auto *tileLayout = new QHBoxLayout(tile);
    tileLayout->setContentsMargins(8, 8, 8, 8);
    mark_ = new CustomLogoMark(QImage(), 34);
    tileLayout->addWidget(mark_);
    row->addWidget(tile, 0, Qt::AlignVCenter);
    row->addStretch(1);
    replace_ = new QPushButton(tr("Replace"));
    remove_ = new QPushButton(tr("Remove"));
    for (QPushButton *button : {replace_, remove_}) {
        button->setAttribute(Qt::WA_MacSmallSize);
        button->setFont(BrandType::sans(11));
        StandardControlPalette::keep(button);
        row->addWidget(button, 0, Qt::AlignVCenter);
    }
    connect(replace_, &QPushButton::clicked, this, &LogoPanel::prompt);
    connect(remove_, &QPushButton::clicked, this, [this] { assets_.removeLogo(); });
    stack_->addWidget(withLogo_);

    choose_ = new AddItemButton(QStringLiteral("photo.badge.plus"), QStringLiteral("Choose a PNG\u2026"));
    connect(choose_, &QAbstractButton::clicked, this, &LogoPanel::prompt);
    stack_->addWidget(choose_);
    column->addWidget(holder);

    error_ = new BrandLabel(QString(), BrandType::sans(10.5), &Brand::bad);
    error_->setWrapping(true);
    error_->hide();
    column->addWidget(error_);

    connect(&assets_, &BrandAssetStore::logoChanged, this, &LogoPanel::refresh);
    refresh();
}

bool LogoPanel::showsLogo() const { return stack_->currentWidget() == withLogo_; }

void LogoPanel::prompt()
{
    // A cancel or a success clears an earlier message; only a failure shows one.
    const auto chosen = BrandAssetStore::chooseFile(window());
    if (!chosen) {
        showError(std::nullopt);
        return;
    }
    // A print-size picture takes a moment to decode and encode: the window stays live meanwhile, with the
    // buttons off so a second import cannot start.
    setBusy(true);
    QPointer<LogoPanel> self(this);
    assets_.importLogoInBackground(*chosen, [self](std::optional<QString> error) {
        if (!self)
            return;
        self->setBusy(false);
        self->showError(error);
    });
}

void LogoPanel::setBusy(bool busy)
{
    for (QWidget *button : {static_cast<QWidget *>(choose_), static_cast<QWidget *>(replace_),
                            static_cast<QWidget *>(remove_)})
        button->setEnabled(!busy);
    setAccessibleDescription(busy ? tr("Importing the logo\u2026") : QString());
}

void LogoPanel::showError(const std::optional<QString> &error)
{
    importError_ = error;
    error_->setText(importError_.value_or(QString()));
    error_->setVisible(importError_.has_value());
}

void LogoPanel::refresh()
{
    if (const auto &logo = assets_.logo()) {
        mark_->setImage(*logo);
        stack_->setCurrentWidget(withLogo_);
    } else {
        stack_->setCurrentWidget(choose_);
    }
    // Each page has its own height; the holder follows the one on show.
    stack_->currentWidget()->updateGeometry();
    if (QWidget *holder = stack_->parentWidget())
        holder->setFixedHeight(stack_->currentWidget()->sizeHint().height());
}

} // namespace brolga
