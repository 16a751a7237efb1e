#include "app/settings/SettingsField.h"

#include "app/settings/RoundedPanel.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/CalculatorStore.h"
#include "ui/controls/BrandLabel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>

namespace brolga {

SettingsField::SettingsField(const QString &label, const QString &placeholder, CalculatorStore &store,
                             QString CalculatorState::*member, QWidget *parent)
    : SettingsField(
          label, placeholder, [&store, member] { return store.state().*member; },
          [&store, member](const QString &text) { store.edit([&](CalculatorState &s) { s.*member = text; }); }, parent)
{
    connect(&store, &CalculatorStore::stateChanged, this, &SettingsField::refresh);
}

SettingsField::SettingsField(const QString &label, const QString &placeholder, Getter get, Setter set, QWidget *parent)
    : QWidget(parent), get_(std::move(get)), set_(std::move(set))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto *caption = new BrandLabel(label, BrandType::sans(11), &Brand::textSecondary);
    caption->setFixedWidth(labelWidth);
    row->addWidget(caption);

    auto *box = new RoundedPanel(true, 6);
    auto *inside = new QHBoxLayout(box);
    inside->setContentsMargins(8, 5, 8, 5);
    edit_ = new QLineEdit(box);
    edit_->setFrame(false);
    edit_->setFont(BrandType::sans(11.5));
    edit_->setPlaceholderText(placeholder);
    edit_->setMaxLength(CalculatorState::maxIdentityLength);
    edit_->setAccessibleName(label);
    edit_->installEventFilter(this);
    edit_->setAttribute(Qt::WA_MacShowFocusRect, false);
    inside->addWidget(edit_);
    row->addWidget(box, 1);

    connect(edit_, &QLineEdit::textEdited, this, [this](const QString &text) { set_(text); });
    applyColours();
    refresh();
}

void SettingsField::refresh()
{
    const QString value = get_();
    // Never disturb what is being typed.
    if (edit_->text() != value && !edit_->hasFocus())
        edit_->setText(value);
    applyColours();
}

void SettingsField::applyColours()
{
    const QPalette &theme = this->palette();
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, Brand::textPrimary(theme));
    QColor placeholder = Brand::textSecondary(theme);
    placeholder.setAlphaF(0.7);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    palette.setColor(QPalette::Highlight, Brand::accent(theme));
    if (palette != edit_->palette())
        edit_->setPalette(palette);
}

bool SettingsField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        edit_->parentWidget()->update();
    return QWidget::eventFilter(watched, event);
}

void SettingsField::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        applyColours();
}

} // namespace brolga
