#include "core/CalculatorStore.h"

#include "calc/IncomeMath.h"
#include "calc/LMI.h"
#include "calc/Serviceability.h"
#include "calc/StampDuty.h"
#include "core/StateCodec.h"

namespace brolga {

CalculatorStore::CalculatorStore(QObject *parent) : CalculatorStore(std::make_unique<Settings>(), parent) {}

CalculatorStore::CalculatorStore(std::unique_ptr<Settings> settings, QObject *parent)
    : QObject(parent), settings_(std::move(settings)), clock_([] { return QDateTime::currentDateTime(); })
{
    if (const auto bytes = settings_->storedState())
        if (auto decoded = StateCodec::decode(*bytes))
            state_ = std::move(*decoded);

    // QTimer runs on a monotonic clock, so changing the wall clock neither shortens nor stretches the wait.
    saveTimer_.setSingleShot(true);
    saveTimer_.setTimerType(Qt::PreciseTimer);
    saveTimer_.setInterval(saveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, [this] { write(pendingSnapshot_); });

    // An identifier that names no theme shows the house colours but stays stored as it was.
    ThemeRuntime::setCurrent(Theme::named(state_.themeID));
}

CalculatorStore::~CalculatorStore() = default;

void CalculatorStore::edit(const std::function<void(CalculatorState &)> &change)
{
    change(state_);
    scheduleSave();
    Q_EMIT stateChanged();
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
    settings_->setStoredState(StateCodec::encode(snapshot));
    Q_EMIT saved();
}

void CalculatorStore::flash(const QString &message)
{
    toast_ = message;
    Q_EMIT toastChanged();
    // Earlier timers stay armed; each clears only its own message, so a newer one is never cut short.
    QTimer::singleShot(toastMs, Qt::PreciseTimer, this, [this, message] {
        if (toast_ == message) {
            toast_.reset();
            Q_EMIT toastChanged();
        }
    });
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

void CalculatorStore::applyTheme(const Theme &theme)
{
    ThemeRuntime::setCurrent(theme);
    edit([&](CalculatorState &s) { s.themeID = theme.id; });
    Q_EMIT themeChanged(theme.id);
}

std::optional<LoanScenario> CalculatorStore::scenario() const
{
    return LoanScenario::make(LoanInputs::from(state_));
}

std::optional<LoanScenario> CalculatorStore::baselineScenario() const
{
    if (!(state_.extraRepayment > 0))
        return std::nullopt;
    LoanInputs in = LoanInputs::from(state_);
    in.extraRepayment = 0;
    return LoanScenario::make(in);
}

std::optional<LoanScenario> CalculatorStore::compareScenario() const
{
    if (!state_.isCompareMode)
        return std::nullopt;
    LoanInputs in = LoanInputs::from(state_);
    in.annualRatePercent = state_.compareRate;
    return LoanScenario::make(in);
}

std::optional<CapacityResult> CalculatorStore::capacity() const { return Serviceability::capacity(state_); }
IncomeResult CalculatorStore::income() const { return IncomeMath::income(state_, clock_()); }
DutyResult CalculatorStore::duty() const { return StampDuty::duty(state_); }
LMIResult CalculatorStore::lmi() const { return LMI::lmi(state_); }
double CalculatorStore::fundsToComplete() const { return LMI::fundsToComplete(state_); }

void CalculatorStore::applyOccupationPreset(OccupationPreset preset)
{
    edit([&](CalculatorState &s) { IncomeMath::applyOccupationPreset(s, preset); });
}

void CalculatorStore::sendIncomeToCapacity()
{
    const QDateTime now = clock_();
    edit([&](CalculatorState &s) { IncomeMath::sendIncomeToCapacity(s, now); });
    flash(QString::fromUtf8(IncomeMath::sentToCapacityToast));
}

} // namespace brolga
