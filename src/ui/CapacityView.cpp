#include "ui/CapacityView.h"

#include "brand/Brand.h"
#include "ui/brand/BrandRule.h"
#include "brand/BrandType.h"
#include "calc/TaxScale.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/CapacityFigures.h"
#include "tabs/Labels.h"
#include "ui/FigureRows.h"
#include "ui/binding/StoreBinding.h"
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
    auto *applicant = StoreBinding::picker(
        store_, &CalculatorState::applicantType,
        QList<std::pair<QString, ApplicantType>>{{Labels::applicants(ApplicantType::single), ApplicantType::single},
                                                 {Labels::applicants(ApplicantType::couple), ApplicantType::couple}});
    applicant->setObjectName("applicantType");
    applicant->setAccessibleName("Applicants");
    card->addContent(applicant);

    auto *income = StoreBinding::field(
        store_, &CalculatorState::grossIncome,
        {.label = "Gross income (household, p.a.)", .prefix = "$", .upper = 100'000'000});
    income->setObjectName("grossIncome");
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
    row->add(income);
    row->add(dependants, 100);
    card->addContent(row);

    auto *debts = StoreBinding::field(store_, &CalculatorState::monthlyOtherDebts,
                                      {.label = "Other commitments (per month)", .prefix = "$", .upper = 1'000'000});
    debts->setObjectName("monthlyOtherDebts");
    card->addContent(debts);
    return card;
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
    livingRow_ = row("livingRow");
    debtsRow_ = row("debtsRow");
    rule();
    surplusRow_ = row("surplusRow", true);
    rule();
    serviceRow_ = row("serviceabilityRow");
    dtiRow_ = row("dtiRow");
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

    heroStats_->setVisible(result.has_value());
    detail_->setVisible(result.has_value());
    if (!result) {
        heroValue_->setText(money(0));
        heroNote_->setText("Enter a gross annual income.");
        return;
    }
    const TabFigures figures = CapacityFigures::build(store_);

    heroValue_->setText(figures.hero.value);
    surplusStat_->setLabel(figures.at(u"headlineSurplus").labelOn(Surface::screen));
    surplusStat_->setValue(figures.at(u"headlineSurplus").value);
    rateStat_->setValue(figures.at(u"assessmentRate").value);
    heroNote_->setText(QString("Limited by: ") + figures.at(u"binding").value);

    FigureRows::show(netRow_, figures.find(u"netMonthly"));
    FigureRows::show(livingRow_, figures.find(u"livingExpenses"));
    // The month is in the label's card; the row shows the amount alone.
    const Figure &debts = figures.at(u"otherCommitments");
    debtsRow_->setLabel(debts.labelOn(Surface::screen));
    debtsRow_->setValue(debts.value);
    FigureRows::show(surplusRow_, figures.find(u"surplus"));
    FigureRows::show(serviceRow_, figures.find(u"serviceabilityLimit"));
    FigureRows::show(dtiRow_, figures.find(u"dtiLimit"));
    FigureRows::show(maxRow_, &figures.hero);
    FigureRows::show(repaymentRow_, figures.find(u"repaymentAtRate"));
    detailNote_->setText("Living expenses use a HEM-style floor plus 1% of income above $50,000. Tax is the " +
                         TaxScale::scale(s.taxYear).year +
                         " resident scale with the 2% Medicare levy. Every lender scales expenses and shades income "
                         "differently — treat this as a pre-assessment, not a credit decision.");
}

} // namespace brolga
