#include "brand/Credits.h"

namespace brolga {

const QString &Credits::productName()
{
    static const QString text = QStringLiteral("Brolga");
    return text;
}

const QString &Credits::makerCredit()
{
    static const QString text = QStringLiteral("A Saltbush Production");
    return text;
}

const QString &Credits::shortDisclaimer()
{
    static const QString text =
        QStringLiteral("Estimate only — general information, not credit assistance or personal financial advice.");
    return text;
}

QString Credits::fullDisclaimer(const QString &dutyScalesAsAt, bool loanCostsEntered)
{
    const QString rates =
        loanCostsEntered
            ? QStringLiteral("Figures are indicative, assume each rate entered holds for the period it is entered "
                             "for, include only the lender fees entered, and exclude package discounts and "
                             "promotional rates. ")
            : QStringLiteral("Figures are indicative, assume a constant interest rate for the full term, and exclude "
                             "lender fees, package discounts and promotional rates. ");
    return QStringLiteral("Estimate only. ") + productName() +
           QStringLiteral(" provides general information and does not constitute credit assistance, a credit quote, "
                          "or personal financial advice. ") +
           rates +
           QStringLiteral(
               "Borrowing capacity uses "
               "a HEM-style expense floor and does not reflect any individual lender's servicing model. "
               "Assessable income applies indicative shading to variable income — every lender's policy "
               "differs. LMI premiums are indicative and are set by the insurer, not the calculator. Transfer "
               "duty scales and concession thresholds are current as at ") +
           dutyScalesAsAt +
           QStringLiteral(", are indexed periodically and change with each state budget — confirm every "
                          "figure with the lender and the relevant state revenue office before relying on it.");
}

} // namespace brolga
