#pragma once

#include <QString>

namespace brolga::ExportTexts {

// Identity and contact come straight from the record; a line break or an escape sequence in them would split
// a line of the summary or of the card, or drive the terminal a report is printed on.
inline QString singleLine(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return out;
}

} // namespace brolga::ExportTexts
