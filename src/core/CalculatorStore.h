#pragma once

#include "calc/CapacityResult.h"
#include "calc/DutyResult.h"
#include "calc/IncomeResult.h"
#include "calc/LMIResult.h"
#include "calc/LoanCosts.h"
#include "calc/LoanScenario.h"
#include "calc/SplitLoan.h"
#include "core/CalculatorState.h"
#include "core/RepaymentResults.h"
#include "core/Settings.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace brolga {

class StateHistory;

// The one live owner of the user's inputs. Every change goes through edit(), which notifies the views and
// schedules a debounced save; derived results are computed afresh on each read and never cached.
class CalculatorStore : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // Reads the stored record (defaults when there is none; what can be recovered when it is unreadable).
    // Writes nothing.
    explicit CalculatorStore(QObject *parent = nullptr);
    CalculatorStore(std::unique_ptr<Settings> settings, QObject *parent = nullptr);
    ~CalculatorStore() override;

    const CalculatorState &state() const { return state_; }
    // The single write path. Consecutive edits with the same non-null `run` (a field being typed into) are one
    // step of the edit history.
    void edit(const std::function<void(CalculatorState &)> &change, const void *run = nullptr);
    void setState(const CalculatorState &state);
    // Puts back a record from the edit history: saved and shown like an edit, but not an edit of its own, and
    // a field being typed into shows it rather than keeping its text.
    void restore(const CalculatorState &state);
    StateHistory &history() { return *history_; }

    const std::optional<QString> &toast() const { return toast_; }
    // `undoable`: the toast offers to undo what it reports.
    void flash(const QString &message, bool undoable = false);
    bool toastUndoable() const { return toast_ && toastUndoable_; }
    void dismissToast();

    void reset();
    // Writes the record now if it differs from what was last read or written.
    void saveNow();
    bool hasPendingSave() const { return saveTimer_.isActive(); }
    // The sentence to show once when the stored record could not be read as it was; empty afterwards.
    std::optional<QString> takeLoadNotice() { return std::exchange(loadNotice_, std::nullopt); }

    // Remembers the theme's identifier in the record; the windows take their palettes from it.
    void applyTheme(const QString &themeID);

    std::optional<LoanScenario> scenario() const;
    std::optional<LoanScenario> baselineScenario() const;
    std::optional<LoanScenario> compareScenario() const;
    // The loan with its lender's fees; absent while the fees are switched off or there is no loan.
    std::optional<LoanCosts> costs() const;
    // The loan's fixed and variable portions; absent while the fixed portion is switched off or there is no loan.
    // While it is on, the scenarios above are the whole loan of both portions.
    std::optional<SplitLoan> split() const;
    // All of the above, each worked once (the whole loan of a split one is not worked again).
    RepaymentResults repaymentResults() const;
    std::optional<CapacityResult> capacity() const;
    IncomeResult income() const;
    DutyResult duty() const;
    LMIResult lmi() const;
    double fundsToComplete() const;
    // Price less deposit, and that with the premium and its duty added.
    double loanRequired() const;
    double loanIfCapitalised() const;

    // Sets the preset, then its shading and super rate, overwriting hand edits.
    void applyOccupationPreset(OccupationPreset preset);
    // Sets the pay basis and converts the pay rate to it, so the quoted annual amount stays what it was.
    void changePayBasis(PayBasis basis);
    // Writes the assessable income, to the whole dollar, into the Capacity tab's gross income (applicant 1's
    // with the applicants in detail), brings that tab forward and says so.
    void sendIncomeToCapacity();
    static constexpr char16_t sentToCapacityToast[] = u"Assessable income sent to Capacity";
    static constexpr char16_t sentToApplicant1Toast[] = u"Assessable income sent to Capacity as applicant 1";

    Settings &settings() { return *settings_; }
    const Settings &settings() const { return *settings_; }
    // Shows or hides the Repayment tab's cards for lender fees: a preference of the window, never a figure.
    void setOffersDetailedInputs(bool on);
    // The client whose figures are open, named on what is sent ("Prepared for …"); empty when none.
    const QString &clientName() const { return clientName_; }
    void setClientName(QString name) { clientName_ = std::move(name); }
    // "Now" for the calculations that read today's date; tests give a fixed clock.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    QDateTime now() const { return clock_(); }

    static constexpr int saveDelayMs = 400;
    static constexpr int toastMs = 2500;
    // Long enough to reach the toast's Undo with the keyboard.
    static constexpr int undoToastMs = 6000;
    // "Could not save — the disk may be full." for a full disk, else the reason in the same words.
    static QString saveFailedToast(const QString &reason);

Q_SIGNALS:
    void stateChanged();
    // After each edit, with the record as it was before it.
    void edited(const CalculatorState &before, const void *run);
    // After restore().
    void restored();
    void toastChanged();
    void themeChanged(const QString &themeID);
    // Emitted after each write of the stored record (the debounced one and saveNow).
    void saved();

private:
    void scheduleSave();
    std::optional<LoanScenario> loan(const LoanInputs &in) const;
    std::optional<LoanCosts> costsOf(const LoanScenario &scenario) const;
    void write(const CalculatorState &snapshot);

    std::unique_ptr<Settings> settings_;
    CalculatorState state_;
    std::optional<QString> toast_;
    bool toastUndoable_ = false;
    std::unique_ptr<StateHistory> history_;
    QTimer saveTimer_;
    CalculatorState pendingSnapshot_;
    Clock clock_;
    QByteArray lastStored_;    // the record as last read from or written to disk, encoded
    bool saveFailing_ = false; // the failure toast shows once per run of failed saves
    std::optional<QString> loadNotice_;
    QString clientName_;
};

} // namespace brolga
