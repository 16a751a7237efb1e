#include "app/settings/StartupSettings.h"

#include "app/settings/SettingsSection.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "platform/LoginItem.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/controls/BrandLabel.h"

#include <QVBoxLayout>

namespace brolga {

StartupSettings::StartupSettings(QWidget *parent) : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(new SettingsSection(tr("Start-up")));
    checkBox_ = new BrandCheckBox(tr("Open at login"), &LoginItem::isEnabled, [this](bool on) { set(on); });
    checkBox_->setFont(BrandType::sans(11));
    column->addWidget(checkBox_);
    error_ = new BrandLabel(QString(), BrandType::sans(10.5), &Brand::bad);
    error_->setWrapping(true);
    error_->hide();
    column->addWidget(error_);
    if (!LoginItem::isSupported())
        hide();
}

void StartupSettings::set(bool on)
{
    const bool done = LoginItem::setEnabled(on);
    error_->setText(on ? tr("Brolga could not add itself to the programs that open at login.")
                       : tr("Brolga could not take itself off the programs that open at login."));
    error_->setVisible(!done);
    checkBox_->setAccessibleDescription(done ? QString() : error_->text());
    checkBox_->refresh();
}

// The desktop's own settings may have changed it while the window was closed.
void StartupSettings::showEvent(QShowEvent *event)
{
    checkBox_->refresh();
    QWidget::showEvent(event);
}

} // namespace brolga
