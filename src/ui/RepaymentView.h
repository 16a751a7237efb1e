#pragma once

#include "core/ScreenChoices.h"

#include <QString>
#include <QWidget>

#include <array>
#include <utility>

class QLabel;

namespace brolga {

class TextActionButton;
class BalanceChart;
class BrandLabel;
class FigureLabel;
class BrandRule;
class CalculatorStore;
class Card;
class DonutChart;
class FootNote;
class HeroCard;
class HeroLabel;
class HeroNote;
class HeroStat;
class HeroValue;
class LegendDot;
class NumericField;
class PillPicker;
class ResultRow;
class ToggleSwitch;
class YearlyTableView;

// The Repayment tab: the hero, the loan inputs, the rate comparison, the loan summary with its
// ring and the year-by-year projection; the last three cards only while there is a result. Built once; refresh() follows the store on every change, setting
// texts, tints and which cards and rows are present. Nothing is rebuilt, so a field being typed in keeps
// its text and focus while every figure follows.
class RepaymentView : public QWidget {
    Q_OBJECT
public:
    explicit RepaymentView(CalculatorStore &store, QWidget *parent = nullptr);

    void refresh();

    // The parts, for the tests, the report tool and the export card. Object names match ("hero", ...).
    HeroCard *hero() const { return hero_; }
    HeroLabel *heroLabel() const { return heroLabel_; }
    HeroValue *heroValue() const { return heroValue_; }
    HeroStat *heroStat(int index) const { return heroStats_[std::size_t(index)]; }
    HeroNote *heroNote() const { return heroNote_; }
    Card *loanCard() const { return loanCard_; }
    Card *compareCard() const { return compareCard_; }
    Card *feesCard() const { return feesCard_; }
    ToggleSwitch *feesSwitch() const { return feesSwitch_; }
    Card *fixedCard() const { return fixedCard_; }
    ToggleSwitch *fixedSwitch() const { return fixedSwitch_; }
    // Each portion's repayment and the repayment after the fixed years, while a fixed portion is on.
    ResultRow *portionRow(int index) const { return portionRows_.at(std::size_t(index)).first; }
    QWidget *costsBlock() const { return costsBlock_; }
    // The rows of what the loan costs, in order: comparison rate, its example, total with fees, per dollar and
    // the two rate rises.
    ResultRow *costRow(int index) const { return costRows_.at(std::size_t(index)).first; }
    Card *summaryCard() const { return summaryCard_; }
    Card *projectionCard() const { return projectionCard_; }
    NumericField *loanAmountField() const { return loanAmount_; }
    NumericField *ioYearsField() const { return ioYears_; }
    NumericField *extraField() const { return extra_; }
    PillPicker *typePicker() const { return typePicker_; }
    PillPicker *frequencyPicker() const { return frequencyPicker_; }
    PillPicker *projectionPicker() const { return modePicker_; }
    ResultRow *compareTotalRow() const { return compareTotal_; }
    ResultRow *interestSavedRow() const { return interestSaved_; }
    ResultRow *paidOffRow() const { return paidOffIn_; }
    ResultRow *timeSavedRow() const { return timeSaved_; }
    ToggleSwitch *compareSwitch() const { return compareSwitch_; }
    TextActionButton *projectionButton() const { return projectionButton_; }
    DonutChart *donut() const { return donut_; }
    BalanceChart *balanceChart() const { return chart_; }
    YearlyTableView *yearlyTable() const { return table_; }
    // The two other frequencies of the summary strip: caption ("WEEKLY") and figure.
    QString stripCaption(int index) const;
    QString stripValue(int index) const;

private:
    void build();
    void buildHero();
    void buildLoanCard();
    void buildCompareCard();
    void buildFeesCard();
    void buildFixedCard();
    void buildSummaryCard();
    void buildProjectionCard();

    CalculatorStore &store_;

    HeroCard *hero_ = nullptr;
    HeroLabel *heroLabel_ = nullptr;
    HeroValue *heroValue_ = nullptr;
    QWidget *heroStatsRow_ = nullptr;
    std::array<HeroStat *, 2> heroStats_{};
    HeroNote *heroNote_ = nullptr;

    Card *loanCard_ = nullptr;
    NumericField *loanAmount_ = nullptr;
    NumericField *offset_ = nullptr;
    NumericField *rate_ = nullptr;
    NumericField *term_ = nullptr;
    PillPicker *typePicker_ = nullptr;
    NumericField *ioYears_ = nullptr;
    NumericField *extra_ = nullptr;
    PillPicker *frequencyPicker_ = nullptr;

    Card *compareCard_ = nullptr;
    ToggleSwitch *compareSwitch_ = nullptr;
    FootNote *compareNote_ = nullptr;
    QWidget *compareFields_ = nullptr;

    Card *feesCard_ = nullptr;
    ToggleSwitch *feesSwitch_ = nullptr;
    FootNote *feesNote_ = nullptr;
    QWidget *feesFields_ = nullptr;

    Card *fixedCard_ = nullptr;
    ToggleSwitch *fixedSwitch_ = nullptr;
    FootNote *fixedOffNote_ = nullptr;
    QWidget *fixedFields_ = nullptr;

    Card *summaryCard_ = nullptr;
    DonutChart *donut_ = nullptr;
    LegendDot *principalDot_ = nullptr;
    LegendDot *interestDot_ = nullptr;
    ResultRow *totalPayable_ = nullptr;
    ResultRow *offsetRow_ = nullptr;
    ResultRow *interestSaved_ = nullptr;
    ResultRow *paidOffIn_ = nullptr;
    ResultRow *timeSaved_ = nullptr;
    BrandRule *compareRule_ = nullptr;
    ResultRow *compareTotal_ = nullptr;
    // What the loan costs with its fees, while they are on; the rows follow the tab's figures of these ids.
    QWidget *costsBlock_ = nullptr;
    QWidget *portionsBlock_ = nullptr;
    std::array<std::pair<ResultRow *, const char16_t *>, 3> portionRows_{};
    std::array<std::pair<ResultRow *, const char16_t *>, 6> costRows_{};
    std::array<BrandLabel *, 2> stripCaptions_{};
    std::array<FigureLabel *, 2> stripValues_{};

    Card *projectionCard_ = nullptr;
    TextActionButton *projectionButton_ = nullptr;
    FootNote *projectionNote_ = nullptr;
    PillPicker *modePicker_ = nullptr;
    QWidget *chartBlock_ = nullptr;
    BalanceChart *chart_ = nullptr;
    YearlyTableView *table_ = nullptr;
};

} // namespace brolga
