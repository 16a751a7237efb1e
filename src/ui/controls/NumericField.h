#pragma once

#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

class QHBoxLayout;
class QLineEdit;

namespace brolga {

class BrandLabel;
class Stepper;

// A labelled number input. It does not own its value: it reads and writes it through a getter and a
// setter (StoreBinding makes the pair over a member of the record). While it has focus it keeps exactly what
// the user typed and writes each readable figure, clamped, as the user types; on Return or on leaving the field
// the text is replaced by the value. Only typed text is ever written back. Text it cannot read ("12abc") leaves
// the value as it was before the typing and is said in a sentence under the field.
class NumericField : public QWidget {
    Q_OBJECT
public:
    struct Config {
        QString label = {};
        QString prefix = {};
        QString suffix = {};
        int decimals = 0;
        std::optional<double> step = {}; // no stepper without one
        double lower = 0;
        double upper = 0;
    };
    using Getter = std::function<double()>;
    using Setter = std::function<void(double)>;

    NumericField(Config config, Getter get, Setter set, QWidget *parent = nullptr);

    // Shows the bound value, unless the user is editing the field.
    void refresh();

    const Config &config() const { return config_; }
    void setLabel(const QString &label);
    // For fields whose format or bounds follow another input (the pay basis). The text is reformatted
    // unless the user is editing it.
    void setDecimals(int decimals);
    void setRange(double lower, double upper);
    QString text() const;
    // The bound value, and a write of one clamped to the range (what a reader sets through the stepper).
    double value() const { return get_(); }
    void setValue(double value);
    bool isEditing() const { return editing_; }
    QLineEdit *lineEdit() const { return edit_; }
    Stepper *stepper() const { return stepper_; }

    // Parse, clamp and write what is typed, then show the value formatted.
    void commit();
    void stepBy(int steps);
    // The value was put back from outside (undo): the typed text and its problem give way to the value.
    void discardTyping();
    // The sentence beside the field while what was typed cannot be read; empty otherwise.
    QString problem() const;

    // The frame the date field shares: a column of the label over a padded input row, which it returns with
    // the label for the field to fill.
    static std::pair<BrandLabel *, QHBoxLayout *> frame(QWidget *field, const QString &label);
    // The input row's ground: Brand.field in a rounded rectangle, outlined inside it 1.5 wide in the accent
    // while `active` (focused, open), otherwise 1 wide in the hairline.
    static void paintRow(QWidget *field, const QRect &row, bool active);

Q_SIGNALS:
    // After each write of the value made by this field.
    void edited(double value);
    // The field was left or Return was pressed: the next edit starts afresh.
    void committed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void textEdited(const QString &text);
    void write(double value);
    void showValue();
    void applyColours();
    bool isMoney() const { return config_.prefix == u"$"; }
    void showProblem(const QString &typed);

    Config config_;
    Getter get_;
    Setter set_;
    bool editing_ = false;
    // Typed into since the value was last shown: only then does the field's text outrank the record.
    bool typed_ = false;
    // The value when the typing began: what unreadable text leaves in the record.
    double before_ = 0;
    BrandLabel *label_ = nullptr;
    QHBoxLayout *row_ = nullptr;
    QLineEdit *edit_ = nullptr;
    Stepper *stepper_ = nullptr;
    BrandLabel *problem_ = nullptr; // made the first time there is one
};

} // namespace brolga
