#include "export/TextExporter.h"

#include "brand/Credits.h"
#include "calc/LMI.h"
#include "calc/TaxScale.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "export/ExportTexts.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace brolga::TextExporter {

namespace {

// User-perceived characters: "é" typed as e plus a combining accent is one, as is an emoji with a modifier.
int graphemes(const QString &text)
{
    if (text.isEmpty())
        return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

using namespace ExportTexts;

QString title(CalculatorTab tab)
{
    switch (tab) {
    case CalculatorTab::repayment: return QStringLiteral("LOAN REPAYMENT ESTIMATE");
    case CalculatorTab::capacity: return QStringLiteral("BORROWING CAPACITY ESTIMATE");
    case CalculatorTab::income: return QStringLiteral("INCOME ASSESSMENT");
    case CalculatorTab::upfront: return QStringLiteral("PURCHASE COSTS ESTIMATE");
    }
    return {};
}

// The cash-required figure counts a negative or unreadable fee as not entered; the costs row must agree with it.
double entered(double amount)
{
    return std::isfinite(amount) && amount > 0 ? amount : 0;
}

QStringList repaymentLines(const CalculatorStore &store)
{
    const auto s = store.scenario();
    if (!s)
        return {QStringLiteral("No scenario entered.")};
    const CalculatorState &st = store.state();
    const PaymentFrequency f = st.frequency;
    QStringList lines;

    lines << row(QStringLiteral("Loan amount"), Format::money(st.loanAmount, 0));
    // Rate and term as the figures below were worked out: the scenario holds them clamped into range.
    lines << row(QStringLiteral("Interest rate"), Format::percent(s->annualRatePercent, 2));
    lines << row(QStringLiteral("Term"), termText(s->termYears));
    lines << row(QStringLiteral("Repayment type"), repaymentTypeLabel(st.repaymentType));
    if (st.offsetAmount > 0)
        lines << row(QStringLiteral("Offset balance"), Format::money(st.offsetAmount, 0));
    if (st.extraRepayment > 0)
        lines << row(QStringLiteral("Extra repayment"), Format::money(st.extraRepayment, 0) + suffix(f));
    lines << QString();

    lines << row(frequencyWord(f) + QStringLiteral(" repayment"), Format::money(s->payment, 2) + suffix(f));
    for (PaymentFrequency other : allCases<PaymentFrequency>()) {
        if (other == s->frequency)
            continue;
        lines << row(QStringLiteral("  equivalent ") + frequencyWord(other).toLower(),
                     Format::money(s->paymentAs(other), 2) + suffix(other));
    }
    lines << row(QStringLiteral("Total interest"), Format::money(s->totalInterest, 0));
    lines << row(QStringLiteral("Total payable"), Format::money(s->totalPayable, 0));

    if (const auto b = store.baselineScenario()) {
        lines << row(QStringLiteral("Interest saved by extra repayments"),
                     Format::money(b->totalInterest - s->totalInterest, 0));
        lines << row(QStringLiteral("Paid off in"), Format::duration(s->periodsToClear, s->frequency));
    }
    if (const auto c = store.compareScenario()) {
        lines << QString();
        lines << row(QStringLiteral("At ") + Format::percent(c->annualRatePercent, 2),
                     Format::money(c->payment, 2) + suffix(f));
        lines << row(QStringLiteral("Difference over the term"),
                     Format::money(std::fabs(c->totalPayable - s->totalPayable), 0));
    }
    return lines;
}

QStringList capacityLines(const CalculatorStore &store)
{
    const auto r = store.capacity();
    if (!r)
        return {QStringLiteral("No income entered.")};
    const CalculatorState &st = store.state();
    return {
        row(QStringLiteral("Gross household income"), Format::money(st.grossIncome, 0)),
        row(QStringLiteral("Applicants"), applicantsLabel(st.applicantType)),
        row(QStringLiteral("Dependants"), QString::number(st.dependants)),
        row(QStringLiteral("Other commitments"), Format::money(st.monthlyOtherDebts, 0) + QStringLiteral("/mth")),
        row(QStringLiteral("Assessment rate"), Format::percent(r->assessmentRate, 2)),
        row(QStringLiteral("Tax year"), TaxScale::scale(st.taxYear).year),
        QString(),
        row(QStringLiteral("Indicative maximum loan"), Format::money(r->maxLoan, 0)),
        row(QStringLiteral("Net monthly income"), Format::money(r->netMonthly, 0)),
        row(QStringLiteral("Assessed living expenses"), Format::money(r->livingExpenses, 0)),
        row(QStringLiteral("Monthly surplus"), Format::money(r->surplus, 0)),
        row(QStringLiteral("Serviceability limit"), Format::money(r->serviceabilityLimit, 0)),
        row(QStringLiteral("DTI limit"), Format::money(r->dtiLimit, 0)),
        row(QStringLiteral("Binding constraint"), bindingLabel(r->serviceabilityBinds())),
    };
}

QStringList incomeLines(const CalculatorStore &store)
{
    const CalculatorState &st = store.state();
    const IncomeResult r = store.income();
    QStringList lines;

    lines << row(QStringLiteral("Employment"), employmentLabel(st.employmentType));
    lines << row(QStringLiteral("Occupation preset"), presetLabel(st.occupationPreset));
    lines << row(QStringLiteral("Super rate"),
                 Format::percent(st.superRatePercent, 1) +
                     (st.quotedIncludesSuper ? QStringLiteral(" (included in quoted)") : QStringLiteral(" (on top)")));
    lines << row(QStringLiteral("Financial year"), TaxScale::scale(st.taxYear).year);
    lines << QString();

    lines << row(QStringLiteral("Base (excl. super)"), Format::money(r.baseAnnual, 0));
    for (const IncomeComponent &c : r.components) {
        if (c.label == u"Base")
            continue;
        lines << row(c.label + QStringLiteral(" (") + Format::percent(c.shadePercent, 0) + QStringLiteral(" of ") +
                         Format::money(c.raw, 0) + u')',
                     Format::money(c.assessed(), 0));
    }
    lines << row(QStringLiteral("Assessable income"), Format::money(r.assessable, 0));
    lines << row(QStringLiteral("Net income (monthly)"), Format::money(r.netMonthly, 0));
    if (st.hasHELP)
        lines << row(QStringLiteral("HELP repayment (p.a.)"), Format::money(r.helpAnnual, 0));
    if (r.ytd) {
        lines << QString();
        lines << row(QStringLiteral("YTD annualised (%1 days)").arg(r.ytd->daysElapsed),
                     Format::money(r.ytd->annualisedPace, 0));
        lines << QStringLiteral("YTD check: ") + r.ytd->verdict;
    }
    lines << QString();
    lines << QStringLiteral("Variable income is shaded per common lender treatment; every lender's policy differs.");
    return lines;
}

QStringList upfrontLines(const CalculatorStore &store)
{
    const CalculatorState &st = store.state();
    const DutyResult d = store.duty();
    const LMIResult m = store.lmi();
    QStringList lines;

    lines << row(QStringLiteral("State"), rawValue(st.state));
    lines << row(QStringLiteral("Purchase price"), Format::money(st.purchasePrice, 0));
    lines << row(QStringLiteral("Deposit"), Format::money(st.depositAmount, 0));
    lines << row(QStringLiteral("Buyer"), buyerLabel(st.buyerType));
    lines << row(QStringLiteral("Property"), propertyLabel(st.propertyKind));
    lines << row(QStringLiteral("LVR"), Format::percent(m.lvr, 1));
    lines << QString();

    lines << row(QStringLiteral("Cash required at settlement"), Format::money(store.fundsToComplete(), 0));
    lines << row(QStringLiteral("Loan required"), Format::money(LMI::loanRequired(st), 0));
    lines << row(QStringLiteral("Transfer duty payable"), Format::money(d.payable(), 0));
    lines << row(QStringLiteral("Registration fees"), Format::money(d.transferFee + d.mortgageFee, 0));
    lines << row(QStringLiteral("Conveyancing / inspections / other"),
                 Format::money(entered(st.legalFees) + entered(st.inspectionFees) + entered(st.otherUpfrontCosts), 0));
    if (m.premium > 0) {
        lines << row(QStringLiteral("LMI (incl. duty on premium)"), Format::money(LMI::includingDuty(m), 0));
        lines << row(QStringLiteral("Loan if LMI capitalised"), Format::money(LMI::loanIfCapitalised(st), 0));
    }
    lines << QString();
    lines << d.note;
    return lines;
}

QStringList bodyLines(const CalculatorStore &store, CalculatorTab tab)
{
    switch (tab) {
    case CalculatorTab::repayment: return repaymentLines(store);
    case CalculatorTab::capacity: return capacityLines(store);
    case CalculatorTab::income: return incomeLines(store);
    case CalculatorTab::upfront: return upfrontLines(store);
    }
    return {};
}

} // namespace

QString row(const QString &label, const QString &value)
{
    const int dots = std::max(rowWidth - 2 - graphemes(label) - graphemes(value), 1);
    return label + u' ' + QString(dots, u'.') + u' ' + value;
}

QString summary(const CalculatorStore &store, CalculatorTab tab, const QDateTime &now)
{
    const CalculatorState &st = store.state();
    QStringList lines;
    lines << title(tab);

    QStringList identity;
    for (const QString *part : {&st.brokerName, &st.brokerCompany})
        if (!part->isEmpty())
            identity << singleLine(*part);
    if (!identity.isEmpty())
        lines << identity.join(QStringLiteral(" \u00B7 "));
    if (const QString contact = st.contactLine(); !contact.isEmpty())
        lines << singleLine(contact);
    lines << Format::stamp(now);
    lines << QString();

    lines << bodyLines(store, tab);

    lines << QString();
    lines << Credits::shortDisclaimer();
    lines << Credits::productName() + QStringLiteral(" \u00B7 ") + Credits::makerCredit();
    return lines.join(u'\n');
}

QString summary(const CalculatorStore &store, const QDateTime &now)
{
    return summary(store, store.state().activeTab, now);
}

} // namespace brolga::TextExporter
