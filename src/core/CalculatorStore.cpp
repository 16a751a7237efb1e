#include "core/CalculatorStore.h"

#include "calc/IncomeMath.h"
#include "calc/LMI.h"
#include "calc/Serviceability.h"
#include "calc/StampDuty.h"
#include "core/CalcInputs.h"
#include "core/SafeFile.h"
#include "core/StateHistory.h"
#include "core/StateJson.h"

#include <cmath>

namespace brolga {

CalculatorStore::CalculatorStore(QObject *parent) : CalculatorStore(std::make_unique<Settings>(), parent) {}

CalculatorStore::CalculatorStore(std::unique_ptr<Settings> settings, QObject *parent)
    : QObject(parent), settings_(std::move(settings)), clock_([] { return QDateTime::currentDateTime(); })
{
    history_ = std::make_unique<StateHistory>(*this);
    if (const auto bytes = settings_->storedState())
        if (auto decoded = StateJson::decode(*bytes))
            state_ = std::move(*decoded);
    // Compared before every write, so a quit without edits writes nothing, over an unreadable record least of all.
    lastStored_ = StateJson::encode(state_);
    if (settings_->wasUnreadable())
        loadNotice_ = QString::fromUtf16(Settings::recoveredNotice);

    // QTimer runs on a monotonic clock, so changing the wall clock neither shortens nor stretches the wait.
    saveTimer_.setSingleShot(true);
    saveTimer_.setTimerType(Qt::PreciseTimer);
    saveTimer_.setInterval(saveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, [this] { write(pendingSnapshot_); });
}

CalculatorStore::~CalculatorStore() = default;

void CalculatorStore::edit(const std::function<void(CalculatorState &)> &change, const void *run)
{
    const CalculatorState before = state_;
    change(state_);
    scheduleSave();
    Q_EMIT edited(before, run);
    Q_EMIT stateChanged();
}

void CalculatorStore::restore(const CalculatorState &state)
{
    const bool newTheme = state.themeID != state_.themeID;
    state_ = state;
    scheduleSave();
    Q_EMIT restored();
    Q_EMIT stateChanged();
    if (newTheme)
        Q_EMIT themeChanged(state_.themeID);
}

void CalculatorStore::setState(const CalculatorState &state)
{
    edit([&](CalculatorState &s) { s = state; });
}

void CalculatorStore::scheduleSave()
{
    // Restarting the single timer cancels the pending save: at most one is ever waiting.
    pendingSnapshot_ = state_;
    saveTimer_.start();
}

void CalculatorStore::saveNow()
{
    saveTimer_.stop();
    write(state_);
}

void CalculatorStore::write(const CalculatorState &snapshot)
{
    const QByteArray bytes = StateJson::encode(snapshot);
    if (bytes != lastStored_) {
        if (settings_->setStoredState(bytes) == Settings::Write::failed) {
            if (!saveFailing_)
                flash(saveFailedToast(settings_->lastError()));
            saveFailing_ = true;
            return;
        }
        lastStored_ = bytes;
        saveFailing_ = false;
    }
    Q_EMIT saved();
}

QString CalculatorStore::saveFailedToast(const QString &reason)
{
    const QString full = QString::fromUtf16(SafeFile::diskFull);
    if (reason.isEmpty() || reason == full)
        return full;
    return QStringLiteral("Could not save \u2014 %1.").arg(reason);
}

void CalculatorStore::flash(const QString &message, bool undoable)
{
    toast_ = message;
    toastUndoable_ = undoable;
    Q_EMIT toastChanged();
    // Earlier timers stay armed; each clears only its own message, so a newer one is never cut short.
    QTimer::singleShot(undoable ? undoToastMs : toastMs, Qt::PreciseTimer, this, [this, message] {
        if (toast_ == message) {
            toast_.reset();
            Q_EMIT toastChanged();
        }
    });
}

void CalculatorStore::dismissToast()
{
    if (!toast_)
        return;
    toast_.reset();
    Q_EMIT toastChanged();
}

void CalculatorStore::reset()
{
    CalculatorState fresh;
    fresh.brokerName = state_.brokerName;
    fresh.brokerCompany = state_.brokerCompany;
    fresh.brokerEmail = state_.brokerEmail;
    fresh.brokerPhone = state_.brokerPhone;
    fresh.brokerLicence = state_.brokerLicence;
    fresh.brokerWebsite = state_.brokerWebsite;
    fresh.themeID = state_.themeID;
    fresh.alwaysOnTop = state_.alwaysOnTop;
    fresh.activeTab = state_.activeTab;
    fresh.updateChecksEnabled = state_.updateChecksEnabled;
    setState(fresh);
}

void CalculatorStore::setOffersDetailedInputs(bool on)
{
    settings_->setDetailedInputs(on);
    Q_EMIT stateChanged();
}

void CalculatorStore::applyTheme(const QString &themeID)
{
    history_->nameNextStep(tr("Theme"));
    edit([&](CalculatorState &s) { s.themeID = themeID; });
    Q_EMIT themeChanged(themeID);
}

std::optional<LoanScenario> CalculatorStore::loan(const LoanInputs &in) const
{
    if (!state_.fixedEnabled)
        return LoanScenario::make(in);
    const auto split = SplitLoan::make(in, CalcInputs::fixed(state_));
    return split ? std::optional(split->whole) : std::nullopt;
}

std::optional<LoanScenario> CalculatorStore::scenario() const
{
    return loan(CalcInputs::loan(state_));
}

std::optional<SplitLoan> CalculatorStore::split() const
{
    if (!state_.fixedEnabled)
        return std::nullopt;
    return SplitLoan::make(CalcInputs::loan(state_), CalcInputs::fixed(state_));
}

std::optional<LoanScenario> CalculatorStore::baselineScenario() const
{
    if (!(state_.extraRepayment > 0))
        return std::nullopt;
    LoanInputs in = CalcInputs::loan(state_);
    in.extraRepayment = 0;
    return loan(in);
}

std::optional<LoanScenario> CalculatorStore::compareScenario() const
{
    if (!state_.isCompareMode)
        return std::nullopt;
    LoanInputs in = CalcInputs::loan(state_);
    in.annualRatePercent = state_.compareRate;
    return loan(in);
}

std::optional<LoanCosts> CalculatorStore::costs() const
{
    if (!state_.feesEnabled)
        return std::nullopt;
    const auto s = scenario();
    return s ? costsOf(*s) : std::nullopt;
}

std::optional<LoanCosts> CalculatorStore::costsOf(const LoanScenario &scenario) const
{
    if (!state_.feesEnabled)
        return std::nullopt;
    const ComparisonRate::Schedule schedule = state_.fixedEnabled
                                                  ? SplitLoan::schedule(CalcInputs::fixed(state_), state_.loanAmount)
                                                  : ComparisonRate::single;
    return LoanCosts::make(CalcInputs::loan(state_), CalcInputs::fees(state_), scenario, schedule);
}

RepaymentResults CalculatorStore::repaymentResults() const
{
    RepaymentResults out;
    out.split = split();
    out.scenario = out.split ? std::optional(out.split->whole) : scenario();
    out.baseline = baselineScenario();
    out.compare = compareScenario();
    if (out.scenario)
        out.costs = costsOf(*out.scenario);
    return out;
}

std::optional<CapacityResult> CalculatorStore::capacity() const
{
    return Serviceability::capacity(CalcInputs::capacity(state_));
}
IncomeResult CalculatorStore::income() const { return IncomeMath::income(CalcInputs::income(state_), clock_()); }
DutyResult CalculatorStore::duty() const { return StampDuty::duty(CalcInputs::purchase(state_)); }
LMIResult CalculatorStore::lmi() const { return LMI::lmi(CalcInputs::purchase(state_)); }
double CalculatorStore::fundsToComplete() const { return LMI::fundsToComplete(CalcInputs::purchase(state_)); }
double CalculatorStore::loanRequired() const { return LMI::loanRequired(CalcInputs::purchase(state_)); }
double CalculatorStore::loanIfCapitalised() const { return LMI::loanIfCapitalised(CalcInputs::purchase(state_)); }

void CalculatorStore::applyOccupationPreset(OccupationPreset preset)
{
    const IncomeMath::Prefill values = IncomeMath::prefill(preset);
    edit([&](CalculatorState &s) {
        s.occupationPreset = preset;
        s.otShadePercent = values.overtimeShadePercent;
        s.bonusShadePercent = values.bonusShadePercent;
        s.allowShadePercent = values.allowancesShadePercent;
        s.superRatePercent = values.superRatePercent;
    });
}

void CalculatorStore::changePayBasis(PayBasis basis)
{
    const double rate = IncomeMath::rateOnBasis(CalcInputs::income(state_), basis);
    edit([&](CalculatorState &s) {
        s.payBasis = basis;
        s.payRate = rate;
    });
}

void CalculatorStore::sendIncomeToCapacity()
{
    const double assessable = income().assessable;
    history_->nameNextStep(tr("Use in Capacity"));
    // With the applicants in detail the income is applicant 1's; the toast says so.
    const bool inDetail = state_.applicantsInDetail;
    edit([&](CalculatorState &s) {
        (inDetail ? s.applicant1Income : s.grossIncome) = std::round(assessable); // halves away from zero
        s.activeTab = CalculatorTab::capacity;
    });
    // The figure it overwrote can be had back.
    flash(QString::fromUtf16(inDetail ? sentToApplicant1Toast : sentToCapacityToast), history_->lastEditRecorded());
}

} // namespace brolga
