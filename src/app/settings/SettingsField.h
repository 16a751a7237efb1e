#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;

namespace brolga {

class CalculatorStore;
struct CalculatorState;

// A labelled text field bound to one identity text of the record: every keystroke writes it, and a change
// from elsewhere shows unless the user is typing here. It takes at most CalculatorState::maxIdentityLength.
class SettingsField : public QWidget {
    Q_OBJECT
public:
    SettingsField(const QString &label, const QString &placeholder, CalculatorStore &store,
                  QString CalculatorState::*member, QWidget *parent = nullptr);

    QLineEdit *lineEdit() const { return edit_; }
    void refresh();

    static constexpr int labelWidth = 96;

protected:
    void changeEvent(QEvent *event) override;
    // The box around the text shows the focus ring while the text has the keyboard.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyColours();

    CalculatorStore &store_;
    QString CalculatorState::*member_;
    QLineEdit *edit_;
};

} // namespace brolga
