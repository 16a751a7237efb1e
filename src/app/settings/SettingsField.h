#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QLineEdit;

namespace brolga {

class CalculatorStore;
struct CalculatorState;

// A labelled text field bound to one identity text of the record: every keystroke writes it, and a change
// from elsewhere shows unless the user is typing here. It takes at most CalculatorState::maxIdentityLength.
// A field of another setting reads and writes it through a getter and a setter.
class SettingsField : public QWidget {
    Q_OBJECT
public:
    using Getter = std::function<QString()>;
    using Setter = std::function<void(const QString &)>;

    SettingsField(const QString &label, const QString &placeholder, CalculatorStore &store,
                  QString CalculatorState::*member, QWidget *parent = nullptr);
    SettingsField(const QString &label, const QString &placeholder, Getter get, Setter set, QWidget *parent = nullptr);

    QLineEdit *lineEdit() const { return edit_; }
    void refresh();

    static constexpr int labelWidth = 96;

protected:
    void changeEvent(QEvent *event) override;
    // The box around the text shows the focus ring while the text has the keyboard.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyColours();

    Getter get_;
    Setter set_;
    QLineEdit *edit_;
};

} // namespace brolga
