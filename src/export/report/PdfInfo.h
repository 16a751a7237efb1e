#pragma once

#include <QByteArray>
#include <QString>

namespace brolga::PdfInfo {

// `pdf` with an /Author entry in its document information dictionary, the cross-reference table moved to
// match. Qt's PDF writer has no author field before Qt 6.8. A file not laid out as Qt writes it (the
// dictionary first, one classic cross-reference table) comes back unchanged.
QByteArray withAuthor(const QByteArray &pdf, const QString &author);

} // namespace brolga::PdfInfo
