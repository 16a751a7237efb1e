#pragma once

#include <QWidget>

namespace brolga {

class TextActionButton;
class BrandCheckBox;
class CalculatorStore;
class Card;
class FootNote;
class HeroNote;
class HeroStat;
class HeroValue;
class NumericField;
class ResultRow;

// The Upfront tab: the purchase, transfer duty with its registration fees, mortgage insurance and the cash
// needed at settlement, for the chosen state or territory.
class UpfrontView : public QWidget {
    Q_OBJECT
public:
    explicit UpfrontView(CalculatorStore &store, QWidget *parent = nullptr);

    void refresh();

private:
    QWidget *buildHero();
    QWidget *buildPurchase();
    QWidget *buildDuty();
    QWidget *buildLMI();
    QWidget *buildCosts();
    void toggleOverride();

    CalculatorStore &store_;

    HeroValue *heroValue_ = nullptr;
    HeroStat *loanStat_ = nullptr;
    HeroStat *lvrStat_ = nullptr;
    HeroNote *heroNote_ = nullptr;

    BrandCheckBox *foreignBuyer_ = nullptr;
    FootNote *noSurchargeNote_ = nullptr;

    Card *dutyCard_ = nullptr;
    TextActionButton *overrideButton_ = nullptr;
    NumericField *overrideField_ = nullptr;
    ResultRow *baseDutyRow_ = nullptr;
    ResultRow *concessionRow_ = nullptr;
    ResultRow *surchargeRow_ = nullptr;
    ResultRow *payableRow_ = nullptr;
    ResultRow *transferRow_ = nullptr;
    ResultRow *mortgageRow_ = nullptr;
    FootNote *dutyNote_ = nullptr;

    ResultRow *lvrRow_ = nullptr;
    QWidget *premiumRows_ = nullptr;
    ResultRow *premiumRateRow_ = nullptr;
    ResultRow *premiumRow_ = nullptr;
    ResultRow *premiumDutyRow_ = nullptr;
    ResultRow *lmiTotalRow_ = nullptr;
    ResultRow *capitalisedRow_ = nullptr;
    ResultRow *avoidRow_ = nullptr;
    FootNote *lmiNote_ = nullptr;

    ResultRow *depositRow_ = nullptr;
    ResultRow *governmentRow_ = nullptr;
    ResultRow *professionalRow_ = nullptr;
    ResultRow *cashRow_ = nullptr;
};

} // namespace brolga
