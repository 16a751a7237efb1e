#pragma once

#include <QList>
#include <QWidget>

class QVBoxLayout;

namespace brolga {

class BrandCheckBox;
class CalculatorStore;
class FootNote;
class PrimaryActionButton;
class HeroNote;
class HeroStat;
class HeroValue;
class NumericField;
class ResultRow;

// The Income tab: a payslip turned into the assessable income a lender would use, with a year-to-date check,
// the take-home figures and the action that sends the result to the Capacity tab.
class IncomeView : public QWidget {
    Q_OBJECT
public:
    explicit IncomeView(CalculatorStore &store, QWidget *parent = nullptr);

    void refresh();

private:
    QWidget *buildHero();
    QWidget *buildEmployment();
    QWidget *buildYTD();
    QWidget *buildVariable();
    QWidget *buildTakeHome();
    ResultRow *componentRow(int index);

    CalculatorStore &store_;

    HeroValue *heroValue_ = nullptr;
    HeroStat *baseStat_ = nullptr;
    HeroStat *netStat_ = nullptr;
    HeroNote *heroNote_ = nullptr;

    NumericField *payRate_ = nullptr;
    NumericField *units_ = nullptr;
    QWidget *paidWeeks_ = nullptr;
    FootNote *casualNote_ = nullptr;
    FootNote *presetHint_ = nullptr;
    FootNote *baseNote_ = nullptr;

    QWidget *ytdResult_ = nullptr;
    ResultRow *paceRow_ = nullptr;
    ResultRow *againstRow_ = nullptr;
    FootNote *verdictNote_ = nullptr;
    FootNote *ytdHelp_ = nullptr;

    BrandCheckBox *useLower_ = nullptr;
    QVBoxLayout *componentRows_ = nullptr;
    QList<ResultRow *> components_;
    ResultRow *assessableRow_ = nullptr;

    ResultRow *netRow_ = nullptr;
    ResultRow *marginalRow_ = nullptr;
    ResultRow *effectiveRow_ = nullptr;
    QWidget *helpRows_ = nullptr;
    ResultRow *helpRow_ = nullptr;
    ResultRow *afterHelpRow_ = nullptr;
    FootNote *helpNote_ = nullptr;
    PrimaryActionButton *send_ = nullptr;
};

} // namespace brolga
