#include "app/settings/ShortcutSettings.h"

#include "app/settings/SettingsSection.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/Settings.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/controls/BrandLabel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QVBoxLayout>

namespace brolga {

namespace {
QKeySequence stored(const Settings &settings)
{
    return QKeySequence::fromString(settings.globalShortcut(), QKeySequence::PortableText);
}
QKeySequence defaultKeys()
{
    return QKeySequence::fromString(QString::fromLatin1(Settings::defaultGlobalShortcut), QKeySequence::PortableText);
}
} // namespace

ShortcutSettings::ShortcutSettings(GlobalShortcut &shortcut, Settings &settings, QWidget *parent)
    : QWidget(parent), shortcut_(shortcut), settings_(settings)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(new SettingsSection(tr("Keyboard")));
    checkBox_ = new BrandCheckBox(
        tr("Show and hide Brolga from any program"), [this] { return !stored(settings_).isEmpty(); },
        [this](bool on) {
            const QKeySequence keys = keys_->keySequence();
            use(on ? (keys.isEmpty() ? defaultKeys() : keys) : QKeySequence());
        });
    checkBox_->setFont(BrandType::sans(11));
    column->addWidget(checkBox_);

    keys_ = new QKeySequenceEdit;
    keys_->setFont(BrandType::sans(11.5));
    keys_->setAccessibleName(tr("Keys that show and hide Brolga"));
    keys_->setToolTip(tr("Click, then press the new keys"));
    keys_->setMaximumWidth(200);
    const QKeySequence current = stored(settings_);
    keys_->setKeySequence(current.isEmpty() ? defaultKeys() : current);
    // One combination is a shortcut; the editor would wait for up to four.
    connect(keys_, &QKeySequenceEdit::editingFinished, this, [this] {
        const QKeySequence keys = keys_->keySequence();
        if (!keys.isEmpty())
            use(QKeySequence(keys[0]));
    });
    keys_->installEventFilter(this);
    for (QObject *child : keys_->children())
        if (child->isWidgetType())
            child->installEventFilter(this);
    column->addWidget(keys_);

    status_ = new BrandLabel(QString(), BrandType::sans(10.5), &Brand::bad);
    status_->setWrapping(true);
    column->addWidget(status_);

    if (!GlobalShortcut::isSupported()) {
        checkBox_->setEnabled(false);
        keys_->setEnabled(false);
    }
    showStatus();
}

void ShortcutSettings::use(const QKeySequence &keys)
{
    settings_.setGlobalShortcut(keys.toString(QKeySequence::PortableText));
    shortcut_.set(keys);
    if (!keys.isEmpty())
        keys_->setKeySequence(keys);
    checkBox_->refresh();
    showStatus();
}

void ShortcutSettings::showStatus()
{
    const QString keys = shortcut_.keys().toString(QKeySequence::NativeText);
    QString text;
    switch (shortcut_.status()) {
    case GlobalShortcut::Status::off:
    case GlobalShortcut::Status::active: break;
    case GlobalShortcut::Status::taken:
        text = tr("Another program already uses %1. Press other keys to use them instead.").arg(keys);
        break;
    case GlobalShortcut::Status::invalid:
        text = tr("%1 cannot show Brolga: use Ctrl, Alt or Meta with a letter, a digit or a function key.").arg(keys);
        break;
    case GlobalShortcut::Status::unsupported:
        text = QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
                   ? tr("Wayland desktops do not let a program have keys of its own in every program, so this "
                        "shortcut cannot work here. Your desktop's own keyboard settings can start Brolga "
                        "instead.")
                   : tr("This desktop does not let a program have keys of its own in every program.");
        break;
    }
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
    checkBox_->setAccessibleDescription(text);
}

bool ShortcutSettings::eventFilter(QObject *watched, QEvent *event)
{
    // While the field has the keyboard the keys are let go, so that pressing them there records them
    // instead of hiding Brolga.
    if (watched == keys_ && event->type() == QEvent::FocusIn && shortcut_.status() == GlobalShortcut::Status::active)
        shortcut_.set(QKeySequence());
    else if (watched == keys_ && event->type() == QEvent::FocusOut && shortcut_.status() == GlobalShortcut::Status::off)
        shortcut_.set(stored(settings_));
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            window()->close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brolga
