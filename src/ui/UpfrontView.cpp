#include "ui/UpfrontView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "calc/StampDuty.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/ChoiceNames.h"
#include "tabs/ResultSentences.h"
#include "tabs/UpfrontFigures.h"
#include "ui/FigureRows.h"
#include "ui/binding/StoreBinding.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/TextActionButton.h"
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


namespace brolga {

namespace {

QString code(AUState state) { return ChoiceNames::state(state); }

// Every case of E with its label, in picker order.
template <typename E> QList<std::pair<QString, E>> choices(QString (*label)(E))
{
    QList<std::pair<QString, E>> out;
    for (E value : allCases<E>())
        out.append({label(value), value});
    return out;
}

// A column of rows that shows or hides as one.
QWidget *group(QWidget *parent, std::initializer_list<QWidget *> rows)
{
    auto *box = new QWidget(parent);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    for (QWidget *row : rows)
        column->addWidget(row);
    return box;
}

ResultRow *named(ResultRow *row, const char *name)
{
    row->setObjectName(name);
    return row;
}

} // namespace

UpfrontView::UpfrontView(CalculatorStore &store, QWidget *parent) : QWidget(parent), store_(store)
{
    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(10);
    stack->addWidget(buildHero());
    stack->addWidget(buildPurchase());
    stack->addWidget(buildDuty());
    stack->addWidget(buildLMI());
    stack->addWidget(buildCosts());
    stack->addStretch(1);

    connect(&store_, &CalculatorStore::stateChanged, this, &UpfrontView::refresh);
    refresh();
}

QWidget *UpfrontView::buildHero()
{
    auto *hero = new HeroCard(HeroFill::navy, this);
    hero->addContent(new HeroLabel("Funds to complete"));
    heroValue_ = new HeroValue(QString());
    heroValue_->setObjectName("heroValue");
    hero->addContent(heroValue_);
    loanStat_ = new HeroStat(QString(), QString());
    loanStat_->setObjectName("loanStat");
    lvrStat_ = new HeroStat(QString(), QString());
    lvrStat_->setObjectName("lvrStat");
    hero->addContent(new FormRow({loanStat_, lvrStat_}));
    heroNote_ = new HeroNote(QString());
    heroNote_->setObjectName("heroNote");
    hero->addContent(heroNote_);
    return hero;
}

QWidget *UpfrontView::buildPurchase()
{
    auto *card = new Card("Purchase", nullptr, this);
    card->addContent(
        new BrandLabel("State / territory", BrandType::sans(10, FontWeight::medium), &Brand::textSecondary));
    auto *statePicker = StoreBinding::picker(store_, &CalculatorState::state, choices<AUState>(&ChoiceNames::state), 4);
    statePicker->setObjectName("statePicker");
    statePicker->setAccessibleName("State / territory");
    card->addContent(statePicker);

    auto *price = StoreBinding::field(store_, &CalculatorState::purchasePrice,
                                      {.label = "Purchase price", .prefix = "$", .upper = 500'000'000});
    price->setObjectName("purchasePrice");
    auto *deposit = StoreBinding::field(store_, &CalculatorState::depositAmount,
                                        {.label = "Deposit (cash)", .prefix = "$", .upper = 500'000'000});
    deposit->setObjectName("depositAmount");
    card->addContent(new FormRow({price, deposit}));

    auto *buyer = StoreBinding::picker(store_, &CalculatorState::buyerType, choices<BuyerType>(&ChoiceNames::buyer));
    buyer->setObjectName("buyerType");
    buyer->setAccessibleName("Buyer");
    card->addContent(buyer);
    auto *kind = StoreBinding::picker(store_, &CalculatorState::propertyKind, choices<PropertyKind>(&ChoiceNames::property));
    kind->setObjectName("propertyKind");
    kind->setAccessibleName("Property");
    card->addContent(kind);

    foreignBuyer_ = StoreBinding::checkBox(store_, &CalculatorState::isForeignBuyer, QString());
    foreignBuyer_->setObjectName("foreignBuyer");
    card->addContent(foreignBuyer_);
    noSurchargeNote_ = new FootNote(QString());
    noSurchargeNote_->setObjectName("noSurchargeNote");
    card->addContent(noSurchargeNote_);
    return card;
}

QWidget *UpfrontView::buildDuty()
{
    overrideButton_ = new TextActionButton("Override", [this] { toggleOverride(); });
    overrideButton_->setObjectName("overrideButton");
    dutyCard_ = new Card(QString(), overrideButton_, this);
    dutyCard_->setObjectName("dutyCard");

    overrideField_ = new NumericField(
        {.label = "Duty (entered manually)", .prefix = "$", .upper = 50'000'000},
        [this] { return store_.state().dutyOverride.value_or(0); },
        [this](double v) {
            // Only edits an override that exists: the field commits as it loses focus, which happens when
            // "Use table" hides it, and that must not bring the override back.
            if (store_.state().dutyOverride)
                store_.edit([&](CalculatorState &s) { s.dutyOverride = v; },
                            StoreBinding::run(store_, &CalculatorState::dutyOverride));
        });
    overrideField_->setObjectName("dutyOverride");
    StoreBinding::follow(store_, overrideField_);
    dutyCard_->addContent(overrideField_);

    // Labels, figures and tints come from the tab's figures on every refresh.
    auto row = [this](const char *name) {
        auto *r = named(new ResultRow(QString(), QString()), name);
        dutyCard_->addContent(r);
        return r;
    };
    baseDutyRow_ = row("baseDutyRow");
    concessionRow_ = row("concessionRow");
    surchargeRow_ = row("surchargeRow");
    payableRow_ = row("payableRow");
    transferRow_ = row("transferRow");
    mortgageRow_ = row("mortgageRow");
    dutyNote_ = new FootNote(QString());
    dutyNote_->setObjectName("dutyNote");
    dutyCard_->addContent(dutyNote_);
    dutyCard_->addContent(new FootNote(QString("Scales as published at ") + StampDuty::scalesAsAt +
                                       ". Thresholds are indexed and concessions change each state budget — "
                                       "confirm with the revenue office before quoting."));
    return dutyCard_;
}

void UpfrontView::toggleOverride()
{
    if (store_.state().dutyOverride) {
        store_.edit([](CalculatorState &s) { s.dutyOverride.reset(); });
    } else {
        // Start the manual figure from the table's duty, so the broker edits rather than retypes it.
        const double table = store_.duty().baseDuty;
        store_.edit([table](CalculatorState &s) { s.dutyOverride = table; });
    }
}

QWidget *UpfrontView::buildLMI()
{
    auto *card = new Card("Lenders mortgage insurance", nullptr, this);
    lvrRow_ = named(new ResultRow(QString(), QString()), "lvrRow");
    card->addContent(lvrRow_);
    premiumRateRow_ = named(new ResultRow(QString(), QString()), "premiumRateRow");
    premiumRow_ = named(new ResultRow(QString(), QString()), "premiumRow");
    premiumDutyRow_ = named(new ResultRow(QString(), QString()), "premiumDutyRow");
    lmiTotalRow_ = named(new ResultRow(QString(), QString()), "lmiTotalRow");
    capitalisedRow_ = named(new ResultRow(QString(), QString()), "capitalisedRow");
    avoidRow_ = named(new ResultRow(QString(), QString()), "avoidRow");
    premiumRows_ = group(card, {premiumRateRow_, premiumRow_, premiumDutyRow_, lmiTotalRow_, capitalisedRow_, avoidRow_});
    premiumRows_->setObjectName("premiumRows");
    card->addContent(premiumRows_);
    lmiNote_ = new FootNote(QString());
    lmiNote_->setObjectName("lmiNote");
    card->addContent(lmiNote_);
    return card;
}

QWidget *UpfrontView::buildCosts()
{
    auto *card = new Card("Other acquisition costs", nullptr, this);
    auto *legal = StoreBinding::field(store_, &CalculatorState::legalFees,
                                      {.label = "Conveyancing", .prefix = "$", .upper = 1'000'000});
    legal->setObjectName("legalFees");
    auto *inspections = StoreBinding::field(store_, &CalculatorState::inspectionFees,
                                            {.label = "Inspections", .prefix = "$", .upper = 1'000'000});
    inspections->setObjectName("inspectionFees");
    auto *other = StoreBinding::field(store_, &CalculatorState::otherUpfrontCosts,
                                      {.label = "Other", .prefix = "$", .upper = 1'000'000});
    other->setObjectName("otherUpfrontCosts");
    card->addContent(new FormRow({legal, inspections, other}));

    depositRow_ = named(new ResultRow(QString(), QString()), "depositRow");
    governmentRow_ = named(new ResultRow(QString(), QString()), "governmentRow");
    professionalRow_ = named(new ResultRow(QString(), QString()), "professionalRow");
    cashRow_ = named(new ResultRow(QString(), QString()), "cashRow");
    for (ResultRow *r : {depositRow_, governmentRow_, professionalRow_, cashRow_})
        card->addContent(r);
    return card;
}

void UpfrontView::refresh()
{
    const CalculatorState &s = store_.state();
    const DutyResult duty = store_.duty();
    const LMIResult lmi = store_.lmi();
    const QString stateCode = code(s.state);

    const TabFigures figures = UpfrontFigures::build(store_);

    heroValue_->setText(figures.hero.value);
    for (auto [stat, id] : {std::pair{loanStat_, u"loanRequired"}, std::pair{lvrStat_, u"lvr"}}) {
        stat->setLabel(figures.at(id).labelOn(Surface::screen));
        stat->setValue(figures.at(id).value);
    }
    heroNote_->setVisible(lmi.premium > 0);
    heroNote_->setText("LMI of " + figures.at(u"lmi").value + " is usually capitalised on top of the loan.");

    const bool surcharged = StampDuty::hasForeignSurcharge(s.state);
    foreignBuyer_->setVisible(surcharged);
    foreignBuyer_->setText("Foreign buyer surcharge (" +
                           Format::percent(StampDuty::foreignSurchargeRate(s.state) * 100, 0) + ")");
    noSurchargeNote_->setVisible(!surcharged);
    noSurchargeNote_->setText(stateCode + " charges no foreign purchaser duty surcharge.");

    dutyCard_->setTitle("Transfer duty — " + stateCode);
    overrideButton_->setText(s.dutyOverride ? "Use table" : "Override");
    overrideField_->setVisible(s.dutyOverride.has_value());
    const std::pair<ResultRow *, QStringView> rows[] = {
        {baseDutyRow_, u"baseDuty"},     {concessionRow_, u"concession"}, {surchargeRow_, u"surcharge"},
        {payableRow_, u"dutyPayable"},   {transferRow_, u"transferFee"},  {mortgageRow_, u"mortgageFee"},
        {lvrRow_, u"lvrDetail"},         {premiumRateRow_, u"premiumRate"}, {premiumRow_, u"premium"},
        {premiumDutyRow_, u"premiumDuty"}, {lmiTotalRow_, u"lmi"},        {capitalisedRow_, u"capitalised"},
        {avoidRow_, u"avoidLMI"},        {depositRow_, u"deposit"},       {governmentRow_, u"government"},
        {professionalRow_, u"professional"}, {cashRow_, u"cash"}};
    for (const auto &[row, id] : rows)
        FigureRows::show(row, figures.find(id));
    dutyNote_->setText(ResultSentences::dutyNote(duty.note));
    premiumRows_->setVisible(lmi.premium > 0);
    lmiNote_->setText(lmi.note);
}

} // namespace brolga
