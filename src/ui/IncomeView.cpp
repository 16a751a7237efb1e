#include "ui/IncomeView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "calc/IncomeMath.h"
#include "calc/TaxScale.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/ChoiceNames.h"
#include "tabs/IncomeFigures.h"
#include "tabs/ResultSentences.h"
#include "ui/FigureRows.h"
#include "ui/binding/StoreBinding.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/PrimaryActionButton.h"
#include "ui/controls/BrandDateField.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/Card.h"
#include "ui/controls/FootNote.h"
#include "ui/controls/FormRow.h"
#include "ui/controls/HeroCard.h"
#include "ui/controls/HeroLabel.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/ResultRow.h"

#include <QVBoxLayout>

#include <cmath>

namespace brolga {

namespace {

QString money(double v) { return Format::money(v, 0); }

BrandLabel *caption(const QString &text)
{
    return new BrandLabel(text, BrandType::sans(10, FontWeight::medium), &Brand::textSecondary);
}

QWidget *column(std::initializer_list<QWidget *> parts)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    for (QWidget *part : parts)
        layout->addWidget(part);
    return box;
}

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(name);
    return widget;
}

// A picker also needs the name a reader announces it by.
template <class W> W *named(W *widget, const char *name, const QString &spoken)
{
    widget->setAccessibleName(spoken);
    return named(widget, name);
}

// Every case of E with its label, in picker order.
template <typename E> QList<std::pair<QString, E>> choices(QString (*label)(E))
{
    QList<std::pair<QString, E>> out;
    for (E value : allCases<E>())
        out.append({label(value), value});
    return out;
}

QString payRateLabel(PayBasis basis)
{
    switch (basis) {
    case PayBasis::hourly: return "Hourly rate";
    case PayBasis::daily: return "Daily rate";
    case PayBasis::weekly: return "Weekly pay";
    case PayBasis::fortnightly: return "Fortnightly pay";
    case PayBasis::monthly: return "Monthly pay";
    case PayBasis::annual: return "Annual amount";
    }
    return {};
}

QString presetHint(OccupationPreset preset)
{
    switch (preset) {
    case OccupationPreset::standard: return "Most employment: variable income shaded at 80%, super at the guarantee.";
    case OccupationPreset::essential:
        return "Nurses, police, fire, ambulance: overtime and shift allowances commonly taken at 100%. Super at the "
               "guarantee.";
    case OccupationPreset::mining:
        return "Site allowances at 100%, overtime shaded. Many mining EBAs pay super above the guarantee — set the "
               "rate from the payslip.";
    case OccupationPreset::publicService:
        return "Commonwealth schemes commonly pay 15.4% super; universities commonly 17% and state schemes vary — "
               "confirm on the payslip.";
    }
    return {};
}

// Day rates always use the paid weeks; hourly rates only for contractors (employees are paid all 52).
bool showsPaidWeeks(const CalculatorState &s)
{
    return s.payBasis == PayBasis::daily ||
           (s.employmentType == EmploymentType::contractor && s.payBasis == PayBasis::hourly);
}

} // namespace

IncomeView::IncomeView(CalculatorStore &store, QWidget *parent) : QWidget(parent), store_(store)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(10);
    stack->addWidget(buildHero());
    stack->addWidget(buildEmployment());
    stack->addWidget(buildYTD());
    stack->addWidget(buildVariable());
    stack->addWidget(buildTakeHome());
    stack->addStretch(1);

    connect(&store_, &CalculatorStore::stateChanged, this, &IncomeView::refresh);
    refresh();
}

QWidget *IncomeView::buildHero()
{
    auto *hero = new HeroCard(HeroFill::navy, this);
    hero->addContent(new HeroLabel("Assessable annual income"));
    heroValue_ = named(new HeroValue(QString()), "heroValue");
    hero->addContent(heroValue_);
    baseStat_ = named(new HeroStat(QString(), QString()), "baseStat");
    netStat_ = named(new HeroStat("Net monthly", QString()), "netStat");
    hero->addContent(new FormRow({baseStat_, netStat_}));
    heroNote_ = named(new HeroNote(QString()), "heroNote");
    hero->addContent(heroNote_);
    return hero;
}

QWidget *IncomeView::buildEmployment()
{
    auto *card = new Card("Employment", nullptr, this);
    card->addContent(named(
        StoreBinding::picker(store_, &CalculatorState::employmentType,
                         choices<EmploymentType>(&ChoiceNames::employment)),
        "employmentType", "Employment type"));
    // A new basis keeps the annual figure: the rate is converted, not reread on the new basis.
    card->addContent(named(StoreBinding::picker<PayBasis>(store_, &CalculatorState::payBasis,
                                                          choices<PayBasis>(&ChoiceNames::payBasis), 3,
                                                          [this](PayBasis basis) { store_.changePayBasis(basis); }),
                           "payBasis", "Pay basis"));

    // Label, decimals and the units' range follow the pay basis; refresh() sets them.
    payRate_ = named(StoreBinding::field(store_, &CalculatorState::payRate,
                                         {.label = payRateLabel(store_.state().payBasis),
                                          .prefix = "$",
                                          .decimals = needsUnits(store_.state().payBasis) ? 2 : 0,
                                          .upper = 10'000'000}),
                     "payRate");
    // Shows the hours or days the calculation actually uses; the stored figure is kept for the other basis.
    units_ = named(new NumericField(
                       {.label = "Hours / week", .step = 1, .upper = 100},
                       [this] { return IncomeMath::unitsPerWeek(store_.state().payBasis, store_.state().unitsPerWeek); },
                       [this](double v) {
                           store_.edit([&](CalculatorState &s) { s.unitsPerWeek = v; },
                                       StoreBinding::run(store_, &CalculatorState::unitsPerWeek));
                       }),
                   "unitsPerWeek");
    StoreBinding::follow(store_, units_);
    auto *payRow = new FormRow;
    payRow->add(payRate_);
    payRow->add(units_, 110);
    card->addContent(payRow);

    paidWeeks_ = named(
        column({named(StoreBinding::field(store_, &CalculatorState::contractorWeeks,
                                          {.label = "Paid weeks / year", .suffix = "wks", .step = 1, .upper = 52}),
                      "contractorWeeks"),
                new FootNote("48 paid weeks by default — contractors rarely bill 52; set it to the contract. Annual "
                             "figures apply these weeks; the YTD check runs at the full working rate.")}),
        "paidWeeks");
    card->addContent(paidWeeks_);
    casualNote_ = named(new FootNote("Casual: use the loaded hourly rate from the payslip. Most lenders also want 6–12 "
                                     "months in the role."),
                        "casualNote");
    card->addContent(casualNote_);
    card->addContent(named(
        StoreBinding::checkBox(store_, &CalculatorState::quotedIncludesSuper, "Quoted amount includes super"),
        "quotedIncludesSuper"));

    card->addContent(caption("Occupation"));
    QList<PillPicker::Option> presetOptions;
    for (const auto &[label, preset] : choices<OccupationPreset>(&ChoiceNames::preset))
        presetOptions.append({label, int(preset)});
    // A preset also rewrites the shading and the super rate, so it goes through the store's preset action.
    auto *presetPicker = new PillPicker(
        presetOptions, [this] { return QVariant(int(store_.state().occupationPreset)); },
        [this](const QVariant &v) { store_.applyOccupationPreset(OccupationPreset(v.toInt())); });
    connect(&store_, &CalculatorStore::stateChanged, presetPicker, &PillPicker::refresh);
    card->addContent(named(presetPicker, "occupationPreset", "Occupation"));

    auto *superRow = new FormRow;
    superRow->add(named(StoreBinding::field(store_, &CalculatorState::superRatePercent,
                                            {.label = "Super", .suffix = "%", .decimals = 1, .step = 0.5, .upper = 30}),
                        "superRatePercent"),
                  110);
    presetHint_ = superRow->add(named(new FootNote(QString()), "presetHint"));
    card->addContent(superRow);
    baseNote_ = named(new FootNote(QString()), "baseNote");
    card->addContent(baseNote_);
    return card;
}

QWidget *IncomeView::buildYTD()
{
    auto *card = new Card("YTD check — against the payslip", nullptr, this);
    card->addContent(caption("Financial year"));
    QList<PillPicker::Option> years;
    for (const TaxScale &scale : TaxScale::all())
        years.append({scale.year, scale.year});
    auto *taxYear = new PillPicker(
        years, [this] { return QVariant(TaxScale::scale(store_.state().taxYear).year); },
        [this](const QVariant &year) { store_.edit([&](CalculatorState &s) { s.taxYear = year.toString(); }); });
    connect(&store_, &CalculatorStore::stateChanged, taxYear, &PillPicker::refresh);
    card->addContent(named(taxYear, "taxYear", "Tax year"));

    auto *row = new FormRow;
    row->add(named(StoreBinding::field(store_, &CalculatorState::ytdGross,
                                       {.label = "YTD gross (payslip)", .prefix = "$", .upper = 10'000'000}),
                   "ytdGross"));
    row->add(named(StoreBinding::dateField(
                       store_, &CalculatorState::ytdPeriodEnd, [this] { return store_.now().date(); }, "Period end"),
                   "ytdPeriodEnd"),
             150);
    card->addContent(row);
    card->addContent(named(StoreBinding::dateField(
                               store_, &CalculatorState::employmentStart,
                               [this] { return IncomeMath::fyStart(store_.state().taxYear, store_.now()).date(); },
                               "Started this employment"),
                           "employmentStart"));

    paceRow_ = named(new ResultRow(QString(), QString()), "paceRow");
    againstRow_ = named(new ResultRow(QString(), QString(), {}, true), "againstRow");
    verdictNote_ = named(new FootNote(QString()), "verdictNote");
    ytdResult_ = named(column({paceRow_, againstRow_, verdictNote_}), "ytdResult");
    card->addContent(ytdResult_);
    ytdHelp_ = named(new FootNote("Enter YTD gross and period end from the latest payslip to verify the stated "
                                  "income. Leave the start date at 1 July unless they began mid-year — the pace runs "
                                  "from whichever is later."),
                     "ytdHelp");
    card->addContent(ytdHelp_);
    return card;
}

QWidget *IncomeView::buildVariable()
{
    auto *card = new Card("Variable income", nullptr, this);
    auto money = [this](double CalculatorState::*member, const QString &label, double upper, const char *name) {
        return named(StoreBinding::field(store_, member, {.label = label, .prefix = "$", .upper = upper}), name);
    };
    auto counted = [this](double CalculatorState::*member, const char *name) {
        return named(
            StoreBinding::field(store_, member, {.label = "Counted", .suffix = "%", .step = 5, .upper = 100}), name);
    };

    auto *overtime = new FormRow;
    overtime->add(money(&CalculatorState::overtimeAnnual, "Overtime (p.a.)", 2'000'000, "overtimeAnnual"));
    overtime->add(counted(&CalculatorState::otShadePercent, "otShadePercent"), 90);
    card->addContent(overtime);

    auto *bonus = new FormRow;
    bonus->add(money(&CalculatorState::bonusThisFY, "Bonus / comm. this FY", 5'000'000, "bonusThisFY"));
    bonus->add(money(&CalculatorState::bonusLastFY, "Last FY", 5'000'000, "bonusLastFY"));
    bonus->add(counted(&CalculatorState::bonusShadePercent, "bonusShadePercent"), 90);
    card->addContent(bonus);
    useLower_ = named(
        StoreBinding::checkBox(store_, &CalculatorState::bonusUseLower, "Use the lower year instead of the average"),
        "bonusUseLower");
    card->addContent(useLower_);

    auto *allowances = new FormRow;
    allowances->add(money(&CalculatorState::allowancesAnnual, "Allowances (p.a.)", 2'000'000, "allowancesAnnual"));
    allowances->add(counted(&CalculatorState::allowShadePercent, "allowShadePercent"), 90);
    card->addContent(allowances);

    auto *rows = new QWidget;
    componentRows_ = new QVBoxLayout(rows);
    componentRows_->setContentsMargins(0, 0, 0, 0);
    componentRows_->setSpacing(10);
    card->addContent(rows);
    assessableRow_ = named(new ResultRow(QString(), QString()), "assessableRow");
    card->addContent(assessableRow_);
    card->addContent(new FootNote("Shading reflects common lender treatment and is fully editable — every lender's "
                                  "policy differs. Confirm against the lender's own calculator before relying on it."));
    return card;
}

ResultRow *IncomeView::componentRow(int index)
{
    while (components_.size() <= index) {
        auto *row = new ResultRow(QString(), QString());
        row->setObjectName(QStringLiteral("componentRow%1").arg(components_.size()));
        componentRows_->addWidget(row);
        components_.append(row);
    }
    return components_.at(index);
}

QWidget *IncomeView::buildTakeHome()
{
    auto *card = new Card("Take-home", nullptr, this);
    card->addContent(named(StoreBinding::checkBox(store_, &CalculatorState::hasHELP, "HELP / HECS debt"), "hasHELP"));
    // Labels and figures come from the tab's figures on every refresh.
    netRow_ = named(new ResultRow(QString(), QString()), "netRow");
    marginalRow_ = named(new ResultRow(QString(), QString()), "marginalRow");
    effectiveRow_ = named(new ResultRow(QString(), QString()), "effectiveRow");
    for (ResultRow *r : {netRow_, marginalRow_, effectiveRow_})
        card->addContent(r);
    helpRow_ = named(new ResultRow(QString(), QString()), "helpRow");
    afterHelpRow_ = named(new ResultRow(QString(), QString()), "afterHelpRow");
    helpNote_ = named(new FootNote(QString()), "helpNote");
    helpRows_ = named(column({helpRow_, afterHelpRow_, helpNote_}), "helpRows");
    card->addContent(helpRows_);
    send_ = named(new PrimaryActionButton(QString(), [this] { store_.sendIncomeToCapacity(); }), "sendToCapacity");
    card->addContent(send_);
    return card;
}

void IncomeView::refresh()
{
    const CalculatorState &s = store_.state();
    const IncomeResult r = store_.income();

    const TabFigures figures = IncomeFigures::build(store_);

    heroValue_->setText(figures.hero.value);
    baseStat_->setLabel(figures.at(u"base").labelOn(Surface::screen));
    baseStat_->setValue(figures.at(u"base").value);
    netStat_->setValue(figures.at(u"netMonthly").value);
    const QString heroNote = r.ytd               ? ResultSentences::ytdVerdict(*r.ytd)
                             : r.baseAnnual <= 0 ? QString("Enter a pay rate to begin.")
                                                 : QString();
    heroNote_->setText(heroNote);
    heroNote_->setVisible(!heroNote.isEmpty());

    const bool units = needsUnits(s.payBasis);
    payRate_->setLabel(payRateLabel(s.payBasis));
    payRate_->setDecimals(units ? 2 : 0);
    units_->setVisible(units);
    if (s.payBasis == PayBasis::daily) {
        units_->setLabel("Days / week");
        units_->setRange(0, 7);
    } else {
        units_->setLabel("Hours / week");
        units_->setRange(0, 100);
    }
    paidWeeks_->setVisible(showsPaidWeeks(s));
    casualNote_->setVisible(s.employmentType == EmploymentType::casual);
    presetHint_->setText(presetHint(s.occupationPreset));
    baseNote_->setText("Serviceability runs on the base — super is not assessable income. Base " +
                       money(r.baseAnnual) + " · package " + money(r.packageAnnual) + ".");

    ytdResult_->setVisible(r.ytd.has_value());
    ytdHelp_->setVisible(!r.ytd);
    if (r.ytd) {
        const YTDCheck &y = *r.ytd;
        FigureRows::show(paceRow_, figures.find(u"pace"));
        FigureRows::show(againstRow_, figures.find(u"against"));
        verdictNote_->setText(ResultSentences::ytdVerdict(y));
    }

    useLower_->setVisible(s.bonusThisFY > 0 && s.bonusLastFY > 0);
    for (int i = 0; i < int(r.components.size()); ++i)
        FigureRows::show(componentRow(i), figures.find(QStringLiteral("component%1").arg(i)));
    for (int i = int(r.components.size()); i < components_.size(); ++i)
        components_[i]->hide();
    FigureRows::show(assessableRow_, figures.find(u"assessable"));

    const std::pair<ResultRow *, QStringView> takeHome[] = {{netRow_, u"netMonthly"},
                                                            {marginalRow_, u"marginalRate"},
                                                            {effectiveRow_, u"effectiveRate"},
                                                            {helpRow_, u"help"},
                                                            {afterHelpRow_, u"afterHelp"}};
    for (const auto &[row, id] : takeHome)
        FigureRows::show(row, figures.find(id));
    helpRows_->setVisible(s.hasHELP);
    // Assessed in detail, Capacity works each applicant's HELP itself; adding it to commitments would count it twice.
    helpNote_->setText(s.applicantsInDetail
                           ? QString("Lenders treat the HELP repayment as a commitment — tick HELP for this applicant "
                                     "on the Capacity tab, which takes it off their net income. Thresholds index "
                                     "each 1 July.")
                           : "Lenders treat the HELP repayment as a commitment — add " + money(r.helpAnnual / 12) +
                                 "/mth to other commitments on the Capacity tab. Thresholds index each 1 July.");
    send_->setText("Use " + money(r.assessable) + " in Capacity \u2192");
    send_->setEnabled(r.assessable > 0);
}

} // namespace brolga
