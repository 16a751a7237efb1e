#pragma once

#include "calc/AmortisationRow.h"
#include "core/ScreenChoices.h"
#include "export/Letterhead.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace brolga {

class CalculatorStore;

// What the client report says, worked out from the store before anything is laid out: the broker's header
// and one section per chosen tab, each a list of labelled figures. The report draws only what is here.
struct ReportFigure {
    QString label;
    QString value;
    bool indented = false; // a restatement of the row above ("equivalent weekly")

    bool operator==(const ReportFigure &) const = default;
};

struct ReportSection {
    CalculatorTab tab = CalculatorTab::repayment;
    QString title;       // "Loan repayment estimate"
    bool entered = true; // false: the tab is left out and the contents line says why
    QString emptyReason; // the sentence the contents line gives for a tab left out
    std::optional<ReportFigure> hero;
    std::vector<ReportFigure> inputs;
    std::vector<ReportFigure> results;
    QStringList notes;
};

// One loan's schedule, as the year-by-year table and the balance chart show it.
struct ReportLoan {
    QString label; // "At 6.09%"; with a fixed portion "At 6.09% with $300,000 at 5.79% for 3 years"
    PaymentFrequency frequency = PaymentFrequency::monthly;
    std::vector<AmortisationRow> schedule;
};

struct ReportContent {
    QString brokerName;
    Letterhead letterhead; // the report's title, whom it is for, the broker's identity, contact and licence
    QDateTime now;
    std::vector<ReportSection> sections; // in tab order, the tabs left out included
    std::vector<ReportLoan> loans;       // the Repayment tab's loan, then its rate comparison; empty without one
    bool loanCostsEntered = false;       // lender fees or a fixed portion: the small print says so

    // The chosen tabs of the store's record, in tab order whatever order they are given in. No tabs: all four.
    // Prepared for the store's open client, unless `preparedFor` names someone else.
    static ReportContent from(const CalculatorStore &store, const std::vector<CalculatorTab> &tabs,
                              const std::optional<QString> &preparedFor = std::nullopt);

    // The report's title, as the first page and the file's metadata carry it.
    static QString title();
};

} // namespace brolga
