#pragma once

#include "core/CalculatorState.h"

#include <QString>
#include <QStringList>

namespace brolga {

// Whose an export is and whom it is for, as the text summary, the card and the client report head themselves:
// built once from the record, every part on one line (a line break in a field would split the header).
struct Letterhead {
    QString title;        // "Loan repayment estimate"
    QString preparedFor;  // the client's name; empty when no client is named
    QStringList identity; // the broker's name and company, those set
    QStringList contact;  // phone, e-mail and web site, those set
    QString licence;      // as entered ("Credit Representative 512345", "ACL 123456"); empty when not set

    static Letterhead of(const CalculatorState &state, const QString &title, const QString &client = {});

    // "Prepared for Jane Citizen", or empty.
    QString preparedForLine() const;
    // Name and company joined with a middle dot; empty when neither is set.
    QString identityLine() const;
    // Phone, e-mail, web site and licence joined with a middle dot, as the record's contact line.
    QString contactLine() const;

    static QString joined(const QStringList &parts);
};

} // namespace brolga
