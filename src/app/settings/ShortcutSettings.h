#pragma once

#include "platform/GlobalShortcut.h"

#include <QWidget>

class QKeySequenceEdit;

namespace brolga {

class BrandCheckBox;
class BrandLabel;
class Settings;

// The appearance pane's "Keyboard" section: the keys that show and hide Brolga from any program, on or
// off, changed by pressing new ones, and a line saying why they do nothing when they cannot work (another
// program holds them, or the desktop allows no program such keys).
class ShortcutSettings : public QWidget {
    Q_OBJECT
public:
    ShortcutSettings(GlobalShortcut &shortcut, Settings &settings, QWidget *parent = nullptr);

    BrandCheckBox *checkBox() const { return checkBox_; }
    QKeySequenceEdit *keysEdit() const { return keys_; }
    BrandLabel *statusLabel() const { return status_; }

protected:
    // Escape in the key field closes the window rather than becoming the shortcut; the keys are let go while
    // the field has the keyboard.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void use(const QKeySequence &keys);
    void showStatus();

    GlobalShortcut &shortcut_;
    Settings &settings_;
    BrandCheckBox *checkBox_;
    QKeySequenceEdit *keys_;
    BrandLabel *status_;
};

} // namespace brolga
