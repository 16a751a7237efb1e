#pragma once

#include <QWidget>

namespace brolga {

class BrandCheckBox;
class BrandLabel;
class CalculatorStore;
class Card;
class FootNote;
class HeroNote;
class HeroStat;
class HeroValue;
class NumericField;
class PillPicker;
class ResultRow;
class ToggleSwitch;

// The Capacity tab: the household and the assessment settings, and the indicative maximum loan with the
// limit that binds.
class CapacityView : public QWidget {
    Q_OBJECT
public:
    explicit CapacityView(CalculatorStore &store, QWidget *parent = nullptr);

    // Re-reads the capacity result into every figure; inputs reformat themselves unless being edited.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHero();
    QWidget *buildApplicant();
    QWidget *buildDetailInputs();
    // Shows the household income or the applicants in detail, the second applicant only for a couple.
    void showApplicantFields();
    QWidget *buildSettings();
    QWidget *buildDetail();

    CalculatorStore &store_;

    HeroValue *heroValue_ = nullptr;
    QWidget *heroStats_ = nullptr;
    HeroStat *surplusStat_ = nullptr;
    HeroStat *rateStat_ = nullptr;
    HeroNote *heroNote_ = nullptr;

    Card *applicantCard_ = nullptr;
    QWidget *detailToggle_ = nullptr; // the switch and its caption, over the card's header
    ToggleSwitch *detailSwitch_ = nullptr;
    NumericField *income_ = nullptr;
    NumericField *applicant1_ = nullptr;
    NumericField *applicant2_ = nullptr;
    NumericField *debts_ = nullptr;
    NumericField *balances_ = nullptr;
    QWidget *detailInputs_ = nullptr;
    BrandCheckBox *help2_ = nullptr;
    QWidget *floorRow_ = nullptr;

    PillPicker *taxYear_ = nullptr;

    Card *detail_ = nullptr;
    ResultRow *netRow_ = nullptr;
    ResultRow *helpRow_ = nullptr;
    ResultRow *livingRow_ = nullptr;
    ResultRow *debtsRow_ = nullptr;
    ResultRow *cardRow_ = nullptr;
    ResultRow *surplusRow_ = nullptr;
    ResultRow *serviceRow_ = nullptr;
    ResultRow *dtiRow_ = nullptr;
    ResultRow *dtiRatioRow_ = nullptr;
    FootNote *dtiNote_ = nullptr;
    ResultRow *maxRow_ = nullptr;
    ResultRow *repaymentRow_ = nullptr;
    FootNote *detailNote_ = nullptr;
};

} // namespace brolga
