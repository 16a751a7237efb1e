#include "export/Letterhead.h"

#include "export/ExportTexts.h"

namespace brolga {

namespace {

// A contact field of spaces and tabs only is not set, as the record's contact line has it.
bool blank(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

} // namespace

Letterhead Letterhead::of(const CalculatorState &st, const QString &title, const QString &client)
{
    using ExportTexts::singleLine;
    Letterhead out;
    out.title = title;
    out.preparedFor = singleLine(client);
    for (const QString *part : {&st.brokerName, &st.brokerCompany})
        if (!part->isEmpty())
            out.identity << singleLine(*part);
    for (const QString *part : {&st.brokerPhone, &st.brokerEmail, &st.brokerWebsite})
        if (!blank(*part))
            out.contact << singleLine(*part);
    if (!blank(st.brokerLicence))
        out.licence = singleLine(st.brokerLicence);
    return out;
}

QString Letterhead::joined(const QStringList &parts)
{
    return parts.join(QStringLiteral(" \u00B7 "));
}

QString Letterhead::preparedForLine() const
{
    return preparedFor.isEmpty() ? QString() : QStringLiteral("Prepared for ") + preparedFor;
}

QString Letterhead::identityLine() const
{
    return joined(identity);
}

QString Letterhead::contactLine() const
{
    return licence.isEmpty() ? joined(contact) : joined(contact + QStringList{licence});
}

} // namespace brolga
