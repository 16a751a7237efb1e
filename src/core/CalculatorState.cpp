#include "core/CalculatorState.h"

#include <QStringList>

namespace brolga {

namespace {
// Trims spaces and tabs only, as the contact line asks; other white space is content.
QString trimSpacesAndTabs(const QString &s)
{
    qsizetype start = 0, end = s.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (start < end && blank(s[start]))
        ++start;
    while (end > start && blank(s[end - 1]))
        --end;
    return s.mid(start, end - start);
}
} // namespace

QString CalculatorState::contactLine() const
{
    QStringList kept;
    for (const QString *v : {&brokerPhone, &brokerEmail, &brokerWebsite, &brokerLicence})
        if (!trimSpacesAndTabs(*v).isEmpty())
            kept << *v;
    return kept.join(QStringLiteral(" \u00B7 "));
}

bool CalculatorState::hasIdentity() const
{
    return !brokerName.isEmpty() || !brokerCompany.isEmpty() || !contactLine().isEmpty();
}

} // namespace brolga
