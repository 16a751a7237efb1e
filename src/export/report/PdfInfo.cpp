#include "export/report/PdfInfo.h"

namespace brolga::PdfInfo {

namespace {

// A text string as UTF-16 with its byte-order mark, in hex: no character of the name needs escaping.
QByteArray hexString(const QString &text)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (QChar c : text) {
        utf16 += char(c.unicode() >> 8);
        utf16 += char(c.unicode() & 0xFF);
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

} // namespace

QByteArray withAuthor(const QByteArray &pdf, const QString &author)
{
    if (author.isEmpty())
        return pdf;
    const QByteArray infoStart("1 0 obj\n<<\n");
    const qsizetype info = pdf.indexOf(infoStart);
    const qsizetype trailer = pdf.lastIndexOf("trailer\n");
    const qsizetype startxref = pdf.lastIndexOf("startxref\n");
    if (info < 0 || trailer < 0 || startxref < trailer || !pdf.mid(trailer).contains("/Info 1 0 R"))
        return pdf;
    const qsizetype insertAt = info + infoStart.size();

    bool ok = false;
    const qsizetype xrefEnd = pdf.indexOf('\n', startxref + 10);
    const qint64 xref = pdf.mid(startxref + 10, xrefEnd - startxref - 10).trimmed().toLongLong(&ok);
    if (!ok || xref <= insertAt || xref >= trailer || !pdf.mid(xref).startsWith("xref\n"))
        return pdf;

    const QByteArray entry = "/Author " + hexString(author) + '\n';
    const qint64 shift = entry.size();

    // Every object after the dictionary moves by the entry's length; the table lists each one's offset in
    // fixed-width records of 20 bytes.
    QByteArray out = pdf.left(insertAt) + entry + pdf.mid(insertAt, xref - insertAt);
    qsizetype at = xref;
    const qsizetype subsection = pdf.indexOf('\n', at + 5);
    out += pdf.mid(at, subsection + 1 - at);
    at = subsection + 1;
    while (at + 20 <= trailer) {
        QByteArray record = pdf.mid(at, 20);
        if (record.size() == 20 && record[17] == 'n') {
            const qint64 offset = record.left(10).toLongLong(&ok);
            if (ok && offset >= insertAt)
                record.replace(0, 10, QByteArray::number(offset + shift).rightJustified(10, '0'));
        }
        out += record;
        at += 20;
    }
    out += pdf.mid(at, startxref + 10 - at);
    out += QByteArray::number(xref + shift) + ' ' + pdf.mid(xrefEnd);
    return out;
}

} // namespace brolga::PdfInfo
