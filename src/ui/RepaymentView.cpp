#include "ui/RepaymentView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/ChoiceNames.h"
#include "tabs/RepaymentFigures.h"
#include "ui/BalanceChart.h"
#include "ui/DonutChart.h"
#include "ui/FigureRows.h"
#include "ui/LegendDot.h"
#include "ui/ProjectionMode.h"
#include "ui/YearlyTable.h"
#include "ui/YearlyTableView.h"
#include "ui/binding/StoreBinding.h"
#include "ui/brand/BrandRule.h"
#include "ui/buttons/TextActionButton.h"
#include "ui/buttons/ToggleSwitch.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/FigureLabel.h"
#include "ui/controls/Card.h"
#include "ui/controls/FootNote.h"
#include "ui/controls/HeroCard.h"
#include "ui/controls/HeroLabel.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/ResultRow.h"
#include "ui/controls/TabularDigits.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cmath>

namespace brolga {

namespace {

constexpr int stackSpacing = 12;
constexpr int pairSpacing = 10;

QWidget *pair(QWidget *parent, QWidget *left, QWidget *right, int spacing = pairSpacing)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    layout->addWidget(left, 1);
    layout->addWidget(right, 1);
    return row;
}

// "(17%)" after a first-period figure; nothing when there is no outlay to share.
QString share(double part, double outlay)
{
    if (!(outlay > 0))
        return {};
    return QStringLiteral(" ") + QString::asprintf("(%.0f%%)", part / outlay * 100);
}

void setShown(QWidget *widget, bool shown)
{
    if (widget->isHidden() == shown)
        widget->setVisible(shown);
}

} // namespace

RepaymentView::RepaymentView(CalculatorStore &store, QWidget *parent) : QWidget(parent), store_(store)
{
    setObjectName(QStringLiteral("repaymentView"));
    build();
    connect(&store_, &CalculatorStore::stateChanged, this, &RepaymentView::refresh);
    refresh();
}

QString RepaymentView::stripCaption(int index) const { return stripCaptions_.at(std::size_t(index))->text(); }
QString RepaymentView::stripValue(int index) const { return stripValues_.at(std::size_t(index))->text(); }

void RepaymentView::build()
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(stackSpacing);
    buildHero();
    buildLoanCard();
    buildCompareCard();
    buildFeesCard();
    buildFixedCard();
    buildSummaryCard();
    buildProjectionCard();
    for (QWidget *w :
         {static_cast<QWidget *>(hero_), static_cast<QWidget *>(loanCard_), static_cast<QWidget *>(compareCard_),
          static_cast<QWidget *>(feesCard_), static_cast<QWidget *>(fixedCard_), static_cast<QWidget *>(summaryCard_),
          static_cast<QWidget *>(projectionCard_)})
        stack->addWidget(w);
    stack->addStretch(1);
}

void RepaymentView::buildHero()
{
    hero_ = new HeroCard(HeroFill::navy, this);
    hero_->setObjectName(QStringLiteral("hero"));
    heroLabel_ = new HeroLabel(QStringLiteral("Repayment"), hero_);
    heroValue_ = new HeroValue(Format::money(0, 2), QString(), hero_);
    heroStatsRow_ = new QWidget(hero_);
    auto *stats = new QHBoxLayout(heroStatsRow_);
    stats->setContentsMargins(0, 0, 0, 0);
    stats->setSpacing(8);
    for (auto &stat : heroStats_) {
        stat = new HeroStat(QString(), QString(), heroStatsRow_);
        stats->addWidget(stat, 1);
    }
    heroNote_ = new HeroNote(QString(), hero_);
    heroNote_->setObjectName(QStringLiteral("heroNote"));
    hero_->addContent(heroLabel_);
    hero_->addContent(heroValue_);
    hero_->addContent(heroStatsRow_);
    hero_->addContent(heroNote_);
}

void RepaymentView::buildLoanCard()
{
    loanCard_ = new Card(QStringLiteral("Loan"), nullptr, this);
    loanCard_->setObjectName(QStringLiteral("loanCard"));
    const QString dollar = QStringLiteral("$");
    loanAmount_ = StoreBinding::field(store_, &CalculatorState::loanAmount,
                                      {.label = QStringLiteral("Loan amount"), .prefix = dollar, .upper = 100000000},
                                      loanCard_);
    offset_ = StoreBinding::field(store_, &CalculatorState::offsetAmount,
                                  {.label = QStringLiteral("Offset balance"), .prefix = dollar, .upper = 100000000},
                                  loanCard_);
    rate_ = StoreBinding::field(
        store_, &CalculatorState::interestRate,
        {.label = QStringLiteral("Interest rate"), .suffix = QStringLiteral("%"), .decimals = 2, .step = 0.05, .upper = 30},
        loanCard_);
    term_ = StoreBinding::field(store_, &CalculatorState::loanTermYears,
                                {.label = QStringLiteral("Term (years)"), .suffix = QStringLiteral("yrs"), .step = 1,
                                 .lower = 1, .upper = 50},
                                loanCard_);
    typePicker_ = StoreBinding::picker<RepaymentType>(
        store_, &CalculatorState::repaymentType,
        {{ChoiceNames::repaymentType(RepaymentType::principalAndInterest), RepaymentType::principalAndInterest},
         {ChoiceNames::repaymentType(RepaymentType::interestOnly), RepaymentType::interestOnly}},
        std::nullopt, loanCard_);
    typePicker_->setAccessibleName(QStringLiteral("Repayment type"));
    ioYears_ = StoreBinding::field(store_, &CalculatorState::ioYears,
                                   {.label = QStringLiteral("Interest only period"), .suffix = QStringLiteral("yrs"),
                                    .step = 1, .upper = 15},
                                   loanCard_);
    extra_ = StoreBinding::field(store_, &CalculatorState::extraRepayment,
                                 {.label = QStringLiteral("Extra ") + ChoiceNames::suffix(store_.state().frequency),
                                  .prefix = dollar, .upper = 1000000},
                                 loanCard_);

    auto *frequencyColumn = new QWidget(loanCard_);
    auto *frequencyLayout = new QVBoxLayout(frequencyColumn);
    frequencyLayout->setContentsMargins(0, 0, 0, 0);
    frequencyLayout->setSpacing(4);
    auto *frequencyLabel = new BrandLabel(QStringLiteral("Frequency"), BrandType::sans(10, FontWeight::medium),
                                          &Brand::textSecondary, frequencyColumn);
    QList<std::pair<QString, PaymentFrequency>> frequencies;
    for (PaymentFrequency f : allCases<PaymentFrequency>())
        frequencies.append({ChoiceNames::frequency(f), f});
    frequencyPicker_ =
        StoreBinding::picker<PaymentFrequency>(store_, &CalculatorState::frequency, frequencies, std::nullopt,
                                               frequencyColumn);
    frequencyPicker_->setAccessibleName(frequencyLabel->text());
    frequencyLayout->addWidget(frequencyLabel);
    frequencyLayout->addWidget(frequencyPicker_);

    loanCard_->addContent(pair(loanCard_, loanAmount_, offset_));
    loanCard_->addContent(pair(loanCard_, rate_, term_));
    loanCard_->addContent(typePicker_);
    loanCard_->addContent(ioYears_);
    loanCard_->addContent(extra_);
    loanCard_->addContent(frequencyColumn);
}

void RepaymentView::buildCompareCard()
{
    compareSwitch_ =
        StoreBinding::toggleSwitch(store_, &CalculatorState::isCompareMode, QStringLiteral("Rate comparison"));
    compareCard_ = new Card(QStringLiteral("Rate comparison"), compareSwitch_, this);
    compareCard_->setObjectName(QStringLiteral("compareCard"));
    compareNote_ =
        new FootNote(QStringLiteral("Turn on to price a refinance or a repricing request against the current rate."),
                     compareCard_);
    const NumericField::Config rate{.suffix = QStringLiteral("%"), .decimals = 2, .step = 0.05, .upper = 30};
    NumericField::Config current = rate, compare = rate;
    current.label = QStringLiteral("Current rate");
    compare.label = QStringLiteral("Compare rate");
    compareFields_ = pair(compareCard_, StoreBinding::field(store_, &CalculatorState::interestRate, current),
                          StoreBinding::field(store_, &CalculatorState::compareRate, compare));
    compareCard_->addContent(compareNote_);
    compareCard_->addContent(compareFields_);
}

void RepaymentView::buildFeesCard()
{
    feesSwitch_ = StoreBinding::toggleSwitch(store_, &CalculatorState::feesEnabled, QStringLiteral("Lender fees"));
    feesCard_ = new Card(QStringLiteral("Lender fees"), feesSwitch_, this);
    feesCard_->setObjectName(QStringLiteral("feesCard"));
    feesNote_ = new FootNote(
        QStringLiteral("Turn on to add the lender's fees: the comparison rate, the total with fees and the "
                       "repayment if rates rise."),
        feesCard_);
    feesFields_ = new QWidget(feesCard_);
    auto *fields = new QVBoxLayout(feesFields_);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->setSpacing(10);
    const QString dollar = QStringLiteral("$");
    auto *establishment = StoreBinding::field(
        store_, &CalculatorState::establishmentFee,
        {.label = QStringLiteral("Establishment fee"), .prefix = dollar, .upper = 100000}, feesFields_);
    auto *discharge =
        StoreBinding::field(store_, &CalculatorState::dischargeFee,
                            {.label = QStringLiteral("Discharge fee"), .prefix = dollar, .upper = 100000}, feesFields_);
    auto *ongoing =
        StoreBinding::field(store_, &CalculatorState::ongoingFee,
                            {.label = QStringLiteral("Ongoing fee"), .prefix = dollar, .upper = 10000}, feesFields_);
    auto *periodColumn = new QWidget(feesFields_);
    auto *periodLayout = new QVBoxLayout(periodColumn);
    periodLayout->setContentsMargins(0, 0, 0, 0);
    periodLayout->setSpacing(4);
    auto *periodLabel = new BrandLabel(QStringLiteral("Charged"), BrandType::sans(10, FontWeight::medium),
                                       &Brand::textSecondary, periodColumn);
    auto *period = StoreBinding::picker<FeePeriod>(
        store_, &CalculatorState::ongoingFeePeriod,
        {{QStringLiteral("Monthly"), FeePeriod::monthly}, {QStringLiteral("Yearly"), FeePeriod::yearly}}, std::nullopt,
        periodColumn);
    period->setAccessibleName(QStringLiteral("Ongoing fee charged"));
    periodLayout->addWidget(periodLabel);
    periodLayout->addWidget(period);
    fields->addWidget(pair(feesFields_, establishment, discharge));
    fields->addWidget(pair(feesFields_, ongoing, periodColumn));
    feesCard_->addContent(feesNote_);
    feesCard_->addContent(feesFields_);
}

void RepaymentView::buildFixedCard()
{
    fixedSwitch_ = StoreBinding::toggleSwitch(store_, &CalculatorState::fixedEnabled, QStringLiteral("Fixed portion"));
    fixedCard_ = new Card(QStringLiteral("Fixed portion"), fixedSwitch_, this);
    fixedCard_->setObjectName(QStringLiteral("fixedCard"));
    fixedOffNote_ = new FootNote(
        QStringLiteral("Turn on to fix part of the loan for a few years; it then reverts to the interest rate."),
        fixedCard_);
    fixedFields_ = new QWidget(fixedCard_);
    auto *fields = new QVBoxLayout(fixedFields_);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->setSpacing(10);
    auto *amount = StoreBinding::field(
        store_, &CalculatorState::fixedAmount,
        {.label = QStringLiteral("Fixed amount"), .prefix = QStringLiteral("$"), .upper = 100000000}, fixedFields_);
    auto *rate = StoreBinding::field(store_, &CalculatorState::fixedRate,
                                     {.label = QStringLiteral("Fixed rate"),
                                      .suffix = QStringLiteral("%"),
                                      .decimals = 2,
                                      .step = 0.05,
                                      .upper = 30},
                                     fixedFields_);
    auto *years = StoreBinding::field(
        store_, &CalculatorState::fixedYears,
        {.label = QStringLiteral("Fixed for"), .suffix = QStringLiteral("yrs"), .step = 1, .lower = 1, .upper = 10},
        fixedFields_);
    fields->addWidget(pair(fixedFields_, amount, rate));
    fields->addWidget(pair(fixedFields_, years, new QWidget(fixedFields_)));
    // Said on the card, since it moves figures the broker typed into the loan card.
    fields->addWidget(new FootNote(
        QStringLiteral("The offset balance and extra repayments go to the variable portion."), fixedFields_));
    fixedCard_->addContent(fixedOffNote_);
    fixedCard_->addContent(fixedFields_);
}

void RepaymentView::buildSummaryCard()
{
    summaryCard_ = new Card(QStringLiteral("Loan summary"), nullptr, this);
    summaryCard_->setObjectName(QStringLiteral("summaryCard"));

    auto *ringRow = new QWidget(summaryCard_);
    auto *ringLayout = new QHBoxLayout(ringRow);
    ringLayout->setContentsMargins(0, 0, 0, 0);
    ringLayout->setSpacing(16);
    donut_ = new DonutChart(0, 0, 92, {}, ringRow);
    auto *legend = new QWidget(ringRow);
    auto *legendLayout = new QVBoxLayout(legend);
    legendLayout->setContentsMargins(0, 0, 0, 0);
    legendLayout->setSpacing(6);
    principalDot_ = new LegendDot(&Brand::chartPrimary, QString(), QString(), legend);
    interestDot_ = new LegendDot(&Brand::chartAccent, QString(), QString(), legend);
    totalPayable_ = new ResultRow(QString(), QString(), {}, false, legend);
    legendLayout->addStretch(1);
    legendLayout->addWidget(principalDot_);
    legendLayout->addWidget(interestDot_);
    legendLayout->addWidget(new BrandRule(legend));
    legendLayout->addWidget(totalPayable_);
    legendLayout->addStretch(1);
    ringLayout->addWidget(donut_, 0, Qt::AlignVCenter);
    ringLayout->addWidget(legend, 1);

    offsetRow_ = new ResultRow(QString(), QString(), {}, false, summaryCard_);
    // Labels, figures and tints come from the tab's figures on every refresh.
    interestSaved_ = new ResultRow(QString(), QString(), {}, false, summaryCard_);
    paidOffIn_ = new ResultRow(QString(), QString(), {}, false, summaryCard_);
    timeSaved_ = new ResultRow(QString(), QString(), {}, false, summaryCard_);
    portionsBlock_ = new QWidget(summaryCard_);
    portionsBlock_->setObjectName(QStringLiteral("portionsBlock"));
    auto *portions = new QVBoxLayout(portionsBlock_);
    portions->setContentsMargins(0, 0, 0, 0);
    portions->setSpacing(8);
    portions->addWidget(new BrandRule(portionsBlock_));
    const char16_t *portionIds[] = {u"fixedPortion", u"variablePortion", u"thenFromYear"};
    for (std::size_t i = 0; i < portionRows_.size(); ++i) {
        portionRows_[i] = {new ResultRow(QString(), QString(), {}, false, portionsBlock_), portionIds[i]};
        portions->addWidget(portionRows_[i].first);
    }

    costsBlock_ = new QWidget(summaryCard_);
    costsBlock_->setObjectName(QStringLiteral("costsBlock"));
    auto *costs = new QVBoxLayout(costsBlock_);
    costs->setContentsMargins(0, 0, 0, 0);
    costs->setSpacing(8);
    costs->addWidget(new BrandRule(costsBlock_));
    const char16_t *costIds[] = {u"comparisonRate", u"benchmarkRate", u"totalWithFees",
                                 u"perDollar",      u"rise1",         u"rise2"};
    for (std::size_t i = 0; i < costRows_.size(); ++i) {
        costRows_[i] = {new ResultRow(QString(), QString(), {}, false, costsBlock_), costIds[i]};
        costs->addWidget(costRows_[i].first);
    }
    costs->addWidget(new FootNote(RepaymentFigures::warning(), costsBlock_));
    compareRule_ = new BrandRule(summaryCard_);
    compareTotal_ = new ResultRow(QString(), QString(), {}, false, summaryCard_);

    auto *strip = new QWidget(summaryCard_);
    strip->setObjectName(QStringLiteral("frequencyStrip"));
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 2, 0, 0);
    stripLayout->setSpacing(pairSpacing);
    QFont captionFont = BrandType::sans(8.5, FontWeight::semibold);
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    const QFont valueFont = tabularDigits(BrandType::sans(12.5, FontWeight::medium));
    for (std::size_t i = 0; i < 2; ++i) {
        auto *column = new QWidget(strip);
        auto *columnLayout = new QVBoxLayout(column);
        columnLayout->setContentsMargins(0, 0, 0, 0);
        columnLayout->setSpacing(2);
        stripCaptions_[i] = new BrandLabel(QString(), captionFont, &Brand::textSecondary, column);
        stripValues_[i] = new FigureLabel(QString(), valueFont, &Brand::textPrimary, column);
        stripValues_[i]->setMinimumScale(0.7);
        columnLayout->addWidget(stripCaptions_[i]);
        columnLayout->addWidget(stripValues_[i]);
        stripLayout->addWidget(column, 1);
    }

    for (QWidget *w :
         std::initializer_list<QWidget *>{ringRow, offsetRow_, portionsBlock_, costsBlock_, interestSaved_, paidOffIn_,
                                          timeSaved_, compareRule_, compareTotal_, new BrandRule(summaryCard_), strip})
        summaryCard_->addContent(w);
}

void RepaymentView::buildProjectionCard()
{
    projectionButton_ = new TextActionButton(QStringLiteral("Show"), [this] {
        store_.edit([](CalculatorState &s) { s.showProjection = !s.showProjection; });
    });
    projectionCard_ = new Card(QStringLiteral("Repayment projection"), projectionButton_, this);
    projectionCard_->setObjectName(QStringLiteral("projectionCard"));
    projectionNote_ =
        new FootNote(QStringLiteral("Balance and interest year by year over the life of the loan."), projectionCard_);

    QList<PillPicker::Option> modes;
    for (ProjectionMode m : allCases<ProjectionMode>())
        modes.append({label(m), QVariant::fromValue(static_cast<int>(m))});
    modePicker_ = new PillPicker(
        modes, [this] { return QVariant::fromValue(static_cast<int>(projectionMode(store_.state().projectionView))); },
        [this](const QVariant &v) {
            const ProjectionView view = projectionView(static_cast<ProjectionMode>(v.toInt()));
            store_.edit([view](CalculatorState &s) { s.projectionView = view; });
        },
        std::nullopt, projectionCard_);
    modePicker_->setAccessibleName(QStringLiteral("Projection view"));
    connect(&store_, &CalculatorStore::stateChanged, modePicker_, &PillPicker::refresh);

    chartBlock_ = new QWidget(projectionCard_);
    auto *chartLayout = new QVBoxLayout(chartBlock_);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->setSpacing(8);
    chart_ = new BalanceChart({}, PaymentFrequency::monthly, chartBlock_);
    auto *legend = new QWidget(chartBlock_);
    auto *legendLayout = new QHBoxLayout(legend);
    legendLayout->setContentsMargins(0, 0, 0, 0);
    legendLayout->setSpacing(14);
    legendLayout->addWidget(new LegendDot(&Brand::chartPrimary, QStringLiteral("Balance"), QString(), legend));
    legendLayout->addWidget(
        new LegendDot(&Brand::chartAccent, QStringLiteral("Cumulative interest"), QString(), legend));
    legendLayout->addStretch(1);
    chartLayout->addWidget(chart_);
    chartLayout->addWidget(legend);

    table_ = new YearlyTableView(projectionCard_);

    projectionCard_->addContent(projectionNote_);
    projectionCard_->addContent(modePicker_);
    projectionCard_->addContent(chartBlock_);
    projectionCard_->addContent(table_);
}

void RepaymentView::refresh()
{
    const CalculatorState &state = store_.state();
    // Each result worked once, for the figures and for what this screen reads beside them.
    const RepaymentResults results = store_.repaymentResults();
    const std::optional<LoanScenario> &scenario = results.scenario;
    const std::optional<LoanScenario> &compare = results.compare;
    const TabFigures figures = RepaymentFigures::build(store_, results);
    const QString suffix = ChoiceNames::suffix(state.frequency);

    // The loan card: what shows follows the record whether or not there is a result.
    setShown(ioYears_, state.repaymentType == RepaymentType::interestOnly);
    extra_->setLabel(QStringLiteral("Extra ") + suffix);

    // Rate comparison card.
    setShown(compareNote_, !state.isCompareMode);
    setShown(compareFields_, state.isCompareMode);

    // Lender fees card.
    setShown(feesNote_, !state.feesEnabled);
    setShown(feesFields_, state.feesEnabled);

    // Fixed portion card.
    setShown(fixedOffNote_, !state.fixedEnabled);
    setShown(fixedFields_, state.fixedEnabled);

    // Hero.
    if (!scenario) {
        hero_->setFill(HeroFill::navy);
        heroLabel_->setPositive(std::nullopt);
        heroLabel_->setCaption(QStringLiteral("Repayment"));
        heroValue_->setText(Format::money(0, 2));
        heroValue_->setSuffix(QString());
        setShown(heroStatsRow_, false);
        heroNote_->setText(QStringLiteral("Enter a loan amount, rate and term."));
        setShown(heroNote_, true);
    } else if (state.isCompareMode && compare) {
        const LoanScenario &s = *scenario;
        const LoanScenario &c = *compare;
        const double d = s.payment - c.payment;
        const bool saving = d >= 0;
        hero_->setFill(HeroCard::verdict(saving));
        heroLabel_->setPositive(saving);
        heroLabel_->setCaption(saving ? QStringLiteral("Estimated saving") : QStringLiteral("Estimated extra cost"));
        heroValue_->setText(Format::money(std::abs(d), 2));
        heroValue_->setSuffix(suffix);
        heroStats_[0]->setLabel(QStringLiteral("At ") + Format::percent(state.interestRate, 2));
        heroStats_[0]->setValue(Format::money(s.payment, 2));
        heroStats_[1]->setLabel(QStringLiteral("At ") + Format::percent(state.compareRate, 2));
        heroStats_[1]->setValue(Format::money(c.payment, 2));
        setShown(heroStatsRow_, true);
        heroNote_->setText((saving ? QStringLiteral("Interest saved") : QStringLiteral("Extra interest")) +
                           QStringLiteral(" over the term: ") +
                           Format::money(std::abs(s.totalInterest - c.totalInterest), 0));
        setShown(heroNote_, true);
    } else {
        const LoanScenario &s = *scenario;
        const double outlay = s.payment + state.extraRepayment;
        hero_->setFill(HeroFill::navy);
        heroLabel_->setPositive(std::nullopt);
        heroLabel_->setCaption(figures.hero.labelOn(Surface::screen));
        heroValue_->setText(figures.hero.value);
        heroValue_->setSuffix(figures.hero.unit);
        heroStats_[0]->setLabel(QStringLiteral("Principal (first)"));
        heroStats_[0]->setValue(Format::money(s.firstPrincipal, 2) + share(s.firstPrincipal, outlay));
        heroStats_[1]->setLabel(QStringLiteral("Interest (first)"));
        heroStats_[1]->setValue(Format::money(s.firstInterest, 2) + share(s.firstInterest, outlay));
        setShown(heroStatsRow_, true);
        QStringList note;
        if (const Figure *then = figures.find(u"thenFromYear"))
            note << QStringLiteral("Then ") + then->text() + then->label.mid(4) + u'.'; // " from year N"
        if (const Figure *reverts = figures.find(u"revertsTo"))
            note << reverts->label + u' ' + reverts->text() + u'.';
        // With the lender's fees on, the rate to compare loans by, under the repayment it goes with.
        if (const Figure *rate = figures.find(u"comparisonRate"))
            note << rate->label + u' ' + rate->text() + u'.';
        heroNote_->setText(note.join(u' '));
        setShown(heroNote_, !note.isEmpty());
    }

    setShown(compareCard_, scenario.has_value());
    setShown(feesCard_, scenario.has_value() && (state.feesEnabled || store_.settings().detailedInputs()));
    setShown(fixedCard_, scenario.has_value() && (state.fixedEnabled || store_.settings().detailedInputs()));
    setShown(summaryCard_, scenario.has_value());
    setShown(projectionCard_, scenario.has_value());
    if (!scenario)
        return;
    const LoanScenario &s = *scenario;

    // Loan summary.
    donut_->setValues(figures.ring->first, figures.ring->second);
    for (auto [dot, id] : {std::pair{principalDot_, u"principal"}, std::pair{interestDot_, u"totalInterest"}}) {
        dot->setLabel(figures.at(id).labelOn(Surface::screen));
        dot->setValue(figures.at(id).value);
    }
    FigureRows::show(totalPayable_, figures.find(u"totalPayable"));
    FigureRows::show(offsetRow_, figures.find(u"offset"));
    FigureRows::show(interestSaved_, figures.find(u"interestSaved"));
    FigureRows::show(paidOffIn_, figures.find(u"paidOff"));
    FigureRows::show(timeSaved_, figures.find(u"timeSaved"));
    setShown(costsBlock_, figures.find(u"totalWithFees") != nullptr);
    setShown(portionsBlock_, figures.find(u"fixedPortion") != nullptr);
    for (const auto &[row, id] : portionRows_)
        FigureRows::show(row, figures.find(id));
    for (const auto &[row, id] : costRows_)
        FigureRows::show(row, figures.find(id));
    setShown(compareRule_, compare.has_value());
    FigureRows::show(compareTotal_, figures.find(u"compareTotal"));

    std::size_t column = 0;
    for (PaymentFrequency f : allCases<PaymentFrequency>()) {
        if (f == s.frequency || column >= stripCaptions_.size())
            continue;
        const Figure &equivalent = figures.at(rawValue(f));
        stripCaptions_[column]->setText(equivalent.label.toUpper());
        // The figure is read with its frequency as its name: "Weekly", "$908.02".
        stripValues_[column]->setAccessibleName(equivalent.label);
        stripValues_[column]->setText(equivalent.value);
        ++column;
    }

    // Projection.
    projectionButton_->setText(state.showProjection ? QStringLiteral("Hide") : QStringLiteral("Show"));
    projectionButton_->updateGeometry();
    const bool chart = state.projectionView == ProjectionView::chart;
    setShown(projectionNote_, !state.showProjection);
    setShown(modePicker_, state.showProjection);
    setShown(chartBlock_, state.showProjection && chart);
    setShown(table_, state.showProjection && !chart);
    if (state.showProjection && chart)
        chart_->setSchedule(s.schedule, s.frequency);
    if (state.showProjection && !chart)
        table_->setLines(YearlyTable::lines(s.schedule, s.frequency));
}

} // namespace brolga
