#pragma once

#include <QWidget>

namespace brolga {

class BrandLabel;
class CalculatorStore;
class Card;
class FootNote;
class HeroNote;
class HeroStat;
class HeroValue;
class PillPicker;
class ResultRow;

// The Capacity tab: the household and the assessment settings, and the indicative maximum loan with the
// limit that binds.
class CapacityView : public QWidget {
    Q_OBJECT
public:
    explicit CapacityView(CalculatorStore &store, QWidget *parent = nullptr);

    // Re-reads the capacity result into every figure; inputs reformat themselves unless being edited.
    void refresh();

private:
    QWidget *buildHero();
    QWidget *buildApplicant();
    QWidget *buildSettings();
    QWidget *buildDetail();

    CalculatorStore &store_;

    HeroValue *heroValue_ = nullptr;
    QWidget *heroStats_ = nullptr;
    HeroStat *surplusStat_ = nullptr;
    HeroStat *rateStat_ = nullptr;
    HeroNote *heroNote_ = nullptr;

    PillPicker *taxYear_ = nullptr;

    Card *detail_ = nullptr;
    ResultRow *netRow_ = nullptr;
    ResultRow *livingRow_ = nullptr;
    ResultRow *debtsRow_ = nullptr;
    ResultRow *surplusRow_ = nullptr;
    ResultRow *serviceRow_ = nullptr;
    ResultRow *dtiRow_ = nullptr;
    ResultRow *maxRow_ = nullptr;
    ResultRow *repaymentRow_ = nullptr;
    FootNote *detailNote_ = nullptr;
};

} // namespace brolga
