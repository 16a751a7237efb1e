#pragma once

#include <QString>

namespace brolga {

// The product's and maker's words, shared by the footer, the export card and the text summary.
// Qt Core only, so the non-drawing code can use it too.
class Credits {
public:
    static const QString &productName();       // "Brolga"
    static const QString &makerCredit();       // "A Saltbush Production"
    static const QString &shortDisclaimer();   // the footer's one line
    // The footer's expanded text and the card's small print; it quotes the date the duty scales were last
    // checked against the state revenue offices. With a loan's fees or a fixed portion entered it no longer
    // claims one rate for the whole term and no fees.
    static QString fullDisclaimer(const QString &dutyScalesAsAt, bool loanCostsEntered = false);
};

} // namespace brolga
