#pragma once

#include "brand/Theme.h"
#include "export/report/ReportContent.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace brolga {

// The client report laid out on A4 portrait pages and written as a PDF of vector text and paths with the
// brand faces embedded: the broker's header, the contents, one section per tab with figures, the Repayment
// tab's balance chart and year-by-year table, and the full disclaimer; "Page N of M" and the date on every
// page. Always the light look, in `theme`'s accents. Laid out once, on construction.
class ReportDocument {
  public:
    ReportDocument(const ReportContent &content, const Theme &theme, const std::optional<QImage> &logo);
    ~ReportDocument();
    ReportDocument(const ReportDocument &) = delete;
    ReportDocument &operator=(const ReportDocument &) = delete;

    int pageCount() const { return int(pages_.size()); }
    // The file: empty if it could not be made.
    QByteArray toPdf() const;
    // Written whole or not at all; empty on success, else the reason.
    QString save(const QString &path) const;

    // The header's identity lines as wrapped on the first page.
    const QStringList &headerLines() const { return headerLines_; }
    // What each page holds, block by block: "heading", "cells" (a row of the inputs' grid), "row" (a result),
    // "note", "chart", "table", "year", "totals", "disclaimer".
    const std::vector<QStringList> &outline() const { return outline_; }
    // Rows of the year-by-year table, the totals row not counted.
    int tableRows() const { return tableRows_; }

    // A4 in points.
    static QSizeF pageSize();
    // "Brolga 1.0.0": the creator the file names.
    static QString creator();

  private:
    friend struct ReportLayout;
    using Piece = std::function<void(QPainter &)>;
    std::vector<std::vector<Piece>> pages_;
    QString title_;
    QString author_;
    QStringList headerLines_;
    std::vector<QStringList> outline_;
    int tableRows_ = 0;
};

} // namespace brolga
