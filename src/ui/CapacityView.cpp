#include "ui/CapacityView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "calc/TaxScale.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/CapacityFigures.h"
#include "tabs/ChoiceNames.h"
#include "ui/FigureRows.h"
#include "ui/binding/StoreBinding.h"
#include "ui/brand/BrandRule.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/ToggleSwitch.h"
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

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

QString money(double v) { return Format::money(v, 0); }

} // namespace

CapacityView::CapacityView(CalculatorStore &store, QWidget *parent) : QWidget(parent), store_(store)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(10);
    stack->addWidget(buildHero());
    stack->addWidget(buildApplicant());
    stack->addWidget(buildSettings());
    stack->addWidget(buildDetail());
    stack->addStretch(1);

    connect(&store_, &CalculatorStore::stateChanged, this, &CapacityView::refresh);
    refresh();
}

QWidget *CapacityView::buildHero()
{
    auto *hero = new HeroCard(HeroFill::navy, this);
    hero->setObjectName("capacityHero");
    hero->addContent(new HeroLabel("Indicative borrowing capacity"));
    heroValue_ = new HeroValue(money(0));
    heroValue_->setObjectName("heroValue");
    hero->addContent(heroValue_);

    surplusStat_ = new HeroStat(QString(), QString());
    surplusStat_->setObjectName("surplusStat");
    rateStat_ = new HeroStat("Assessed at", QString());
    rateStat_->setObjectName("rateStat");
    heroStats_ = new FormRow({surplusStat_, rateStat_});
    hero->addContent(heroStats_);

    heroNote_ = new HeroNote(QString());
    heroNote_->setObjectName("heroNote");
    hero->addContent(heroNote_);
    return hero;
}

QWidget *CapacityView::buildApplicant()
{
    auto *card = new Card("Applicant", nullptr, this);
    applicantCard_ = card;
    // The switch rides on the header's line without making it taller, so that with the switch off nothing else
    // on the tab moves. It is named for a reader by what it turns on.
    auto *accessory = new QWidget(card);
    detailToggle_ = accessory;
    auto *accessoryRow = new QHBoxLayout(accessory);
    accessoryRow->setContentsMargins(0, 0, 0, 0);
    accessoryRow->setSpacing(6);
    accessoryRow->addWidget(
        new BrandLabel("In detail", BrandType::sans(10, FontWeight::medium), &Brand::textSecondary, accessory));
    detailSwitch_ = StoreBinding::toggleSwitch(store_, &CalculatorState::applicantsInDetail,
                                               QStringLiteral("Applicants in detail"), accessory);
    detailSwitch_->setObjectName("applicantsInDetail");
    accessoryRow->addWidget(detailSwitch_);
    card->installEventFilter(this);
    auto *applicant = StoreBinding::picker(
        store_, &CalculatorState::applicantType,
        QList<std::pair<QString, ApplicantType>>{{ChoiceNames::applicants(ApplicantType::single), ApplicantType::single},
                                                 {ChoiceNames::applicants(ApplicantType::couple), ApplicantType::couple}});
    applicant->setObjectName("applicantType");
    applicant->setAccessibleName("Applicants");
    card->addContent(applicant);

    income_ = StoreBinding::field(store_, &CalculatorState::grossIncome,
                                  {.label = "Gross income (household, p.a.)", .prefix = "$", .upper = 100'000'000});
    income_->setObjectName("grossIncome");
    const NumericField::Config applicantIncome{.prefix = "$", .upper = 100'000'000};
    NumericField::Config first = applicantIncome, second = applicantIncome;
    first.label = "Applicant 1 (p.a.)";
    second.label = "Applicant 2 (p.a.)";
    applicant1_ = StoreBinding::field(store_, &CalculatorState::applicant1Income, first);
    applicant1_->setObjectName("applicant1Income");
    applicant2_ = StoreBinding::field(store_, &CalculatorState::applicant2Income, second);
    applicant2_->setObjectName("applicant2Income");
    // Whole dependants only: a typed fraction is cut off, never rounded up.
    auto *dependants = new NumericField(
        {.label = "Dependants", .step = 1, .upper = 20}, [this] { return double(store_.state().dependants); },
        [this](double v) {
            const int whole = std::max(0, int(std::trunc(v)));
            store_.edit([&](CalculatorState &s) { s.dependants = whole; },
                        StoreBinding::run(store_, &CalculatorState::dependants));
        });
    dependants->setObjectName("dependants");
    StoreBinding::follow(store_, dependants);
    auto *row = new FormRow;
    row->add(income_);
    row->add(applicant1_);
    row->add(applicant2_);
    row->add(dependants, 100);
    card->addContent(row);

    debts_ = StoreBinding::field(store_, &CalculatorState::monthlyOtherDebts,
                                 {.label = "Other commitments (per month)", .prefix = "$", .upper = 1'000'000});
    debts_->setObjectName("monthlyOtherDebts");
    balances_ = StoreBinding::field(store_, &CalculatorState::otherLoanBalances,
                                    {.label = "Their balances", .prefix = "$", .upper = 100'000'000});
    balances_->setObjectName("otherLoanBalances");
    card->addContent(new FormRow({debts_, balances_}));
    card->addContent(buildDetailInputs());
    return card;
}

QWidget *CapacityView::buildDetailInputs()
{
    detailInputs_ = new QWidget(this);
    detailInputs_->setObjectName("detailInputs");
    auto *column = new QVBoxLayout(detailInputs_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    auto named = [](auto *w, const char *name) {
        w->setObjectName(name);
        return w;
    };

    auto *help1 = named(StoreBinding::checkBox(store_, &CalculatorState::applicant1HasHELP, "HELP debt, applicant 1"),
                        "applicant1HasHELP");
    help2_ = named(StoreBinding::checkBox(store_, &CalculatorState::applicant2HasHELP, "HELP debt, applicant 2"),
                   "applicant2HasHELP");
    column->addWidget(new FormRow({help1, help2_}));

    auto *rent = new FormRow;
    rent->add(named(StoreBinding::field(store_, &CalculatorState::rentalIncome,
                                        {.label = "Rental income (p.a.)", .prefix = "$", .upper = 100'000'000}),
                    "rentalIncome"));
    rent->add(named(StoreBinding::field(store_, &CalculatorState::rentalShadePercent,
                                        {.label = "Counted", .suffix = "%", .step = 5, .upper = 100}),
                    "rentalShadePercent"),
              90);
    column->addWidget(rent);

    auto *cards = new FormRow;
    cards->add(named(StoreBinding::field(store_, &CalculatorState::cardLimits,
                                         {.label = "Credit card limits", .prefix = "$", .upper = 10'000'000}),
                     "cardLimits"));
    cards->add(named(StoreBinding::field(store_, &CalculatorState::cardRatePercent,
                                         {.label = "A month", .suffix = "%", .decimals = 2, .step = 0.1, .upper = 10}),
                     "cardRatePercent"),
               90);
    column->addWidget(cards);
    return detailInputs_;
}

bool CapacityView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == applicantCard_ && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)) {
        const QRect header = applicantCard_->headerGeometry();
        const QSize size = detailToggle_->sizeHint();
        detailToggle_->setGeometry(header.right() + 1 - size.width(), header.center().y() + 1 - size.height() / 2,
                                   size.width(), size.height());
    }
    return QWidget::eventFilter(watched, event);
}

void CapacityView::showApplicantFields()
{
    const CalculatorState &s = store_.state();
    const bool detail = s.applicantsInDetail;
    // The switch is offered once Settings asks for more inputs, or while this record already uses it.
    detailToggle_->setVisible(detail || store_.settings().detailedInputs());
    income_->setVisible(!detail);
    applicant1_->setVisible(detail);
    applicant2_->setVisible(detail && s.applicantType == ApplicantType::couple);
    help2_->setVisible(s.applicantType == ApplicantType::couple);
    // In detail the monthly figure is the other loans' repayments, their balances beside it.
    debts_->setLabel(detail ? "Other loans (per month)" : "Other commitments (per month)");
    balances_->setVisible(detail);
    detailInputs_->setVisible(detail);
    floorRow_->setVisible(detail);
}

QWidget *CapacityView::buildSettings()
{
    auto *card = new Card("Assessment settings", nullptr, this);
    auto *rate = StoreBinding::field(
        store_, &CalculatorState::interestRate,
        {.label = "Product rate", .suffix = "%", .decimals = 2, .step = 0.05, .upper = 30});
    rate->setObjectName("interestRate");
    auto *buffer = StoreBinding::field(
        store_, &CalculatorState::assessmentBuffer,
        {.label = "APRA buffer", .suffix = "%", .decimals = 2, .step = 0.25, .upper = 10});
    buffer->setObjectName("assessmentBuffer");
    auto *dti = StoreBinding::field(store_, &CalculatorState::dtiMultiple,
                                    {.label = "DTI cap", .suffix = "x", .decimals = 1, .step = 0.5, .upper = 20});
    dti->setObjectName("dtiMultiple");
    card->addContent(new FormRow({rate, buffer, dti}));
    auto *floor = StoreBinding::field(store_, &CalculatorState::floorRatePercent,
                                      {.label = "Floor rate", .suffix = "%", .decimals = 2, .step = 0.05, .upper = 30});
    floor->setObjectName("floorRatePercent");
    auto *floorRow = new FormRow;
    floorRow->add(floor);
    floorRow->add(new FootNote("Assessed at the higher of rate + buffer and the floor; 0 for none."));
    floorRow_ = floorRow;
    card->addContent(floorRow_);

    card->addContent(new BrandLabel("Tax year", BrandType::sans(10, FontWeight::medium), &Brand::textSecondary));
    QList<PillPicker::Option> years;
    for (const TaxScale &scale : TaxScale::all())
        years.append({scale.year, scale.year});
    taxYear_ = new PillPicker(
        years, [this] { return QVariant(TaxScale::scale(store_.state().taxYear).year); },
        [this](const QVariant &year) { store_.edit([&](CalculatorState &s) { s.taxYear = year.toString(); }); });
    taxYear_->setObjectName("taxYear");
    taxYear_->setAccessibleName("Tax year");
    connect(&store_, &CalculatorStore::stateChanged, taxYear_, &PillPicker::refresh);
    card->addContent(taxYear_);
    return card;
}

QWidget *CapacityView::buildDetail()
{
    detail_ = new Card("Capacity detail", nullptr, this);
    detail_->setObjectName("capacityDetail");
    auto row = [this](const char *name, bool emphasised = false) {
        auto *r = new ResultRow(QString(), QString(), {}, emphasised);
        r->setObjectName(name);
        detail_->addContent(r);
        return r;
    };
    auto rule = [this] { detail_->addContent(new BrandRule); };

    // Labels and figures come from the tab's figures on every refresh.
    netRow_ = row("netMonthlyRow");
    helpRow_ = row("helpRow");
    livingRow_ = row("livingRow");
    debtsRow_ = row("debtsRow");
    cardRow_ = row("cardRow");
    rule();
    surplusRow_ = row("surplusRow", true);
    rule();
    serviceRow_ = row("serviceabilityRow");
    dtiRow_ = row("dtiRow");
    dtiRatioRow_ = row("dtiRatioRow");
    dtiNote_ = new FootNote(CapacityFigures::highDtiNote());
    dtiNote_->setObjectName("dtiNote");
    detail_->addContent(dtiNote_);
    rule();
    maxRow_ = row("maxLoanRow", true);
    repaymentRow_ = row("repaymentRow");
    rule();
    detailNote_ = new FootNote(QString());
    detailNote_->setObjectName("detailNote");
    detail_->addContent(detailNote_);
    return detail_;
}

void CapacityView::refresh()
{
    const CalculatorState &s = store_.state();
    const auto result = store_.capacity();
    showApplicantFields();

    heroStats_->setVisible(result.has_value());
    detail_->setVisible(result.has_value());
    if (!result) {
        heroValue_->setText(money(0));
        heroNote_->setText(s.applicantsInDetail ? "Enter an applicant's income." : "Enter a gross annual income.");
        return;
    }
    const TabFigures figures = CapacityFigures::build(store_);

    heroValue_->setText(figures.hero.value);
    surplusStat_->setLabel(figures.at(u"headlineSurplus").labelOn(Surface::screen));
    surplusStat_->setValue(figures.at(u"headlineSurplus").value);
    rateStat_->setValue(figures.at(u"assessmentRate").value);
    heroNote_->setText(QString("Limited by: ") + figures.at(u"binding").value);

    FigureRows::show(netRow_, figures.find(u"netMonthly"));
    FigureRows::show(helpRow_, figures.find(u"help"));
    FigureRows::show(livingRow_, figures.find(u"livingExpenses"));
    // The month is in the label's card; the row shows the amount alone.
    const Figure &debts = figures.at(u"otherCommitments");
    debtsRow_->setLabel(debts.labelOn(Surface::screen));
    debtsRow_->setValue(debts.value);
    FigureRows::show(cardRow_, figures.find(u"cardCommitments"));
    FigureRows::show(surplusRow_, figures.find(u"surplus"));
    FigureRows::show(serviceRow_, figures.find(u"serviceabilityLimit"));
    FigureRows::show(dtiRow_, figures.find(u"dtiLimit"));
    FigureRows::show(dtiRatioRow_, figures.find(u"dtiRatio"));
    dtiNote_->setVisible(result->highDtiRatio());
    FigureRows::show(maxRow_, &figures.hero);
    FigureRows::show(repaymentRow_, figures.find(u"repaymentAtRate"));
    detailNote_->setText("Living expenses use a HEM-style floor plus 1% of income above $50,000. Tax is the " +
                         TaxScale::scale(s.taxYear).year + " resident scale with the 2% Medicare levy" +
                         (s.applicantsInDetail ? ", each applicant taxed on their own income and an equal share of "
                                                 "the rent counted, their HELP repayments out of net income"
                                               : "") +
                         ". Every lender scales expenses and shades income differently — treat this as a "
                         "pre-assessment, not a credit decision.");
}

} // namespace brolga
