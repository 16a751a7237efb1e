#pragma once

#include <QColor>
#include <QSizeF>
#include <QString>

class QPainter;
class QPalette;

namespace brolga {

// The small print that ends the card and the report: a hairline, the full disclaimer, then the studio's name at
// the left (when the product's mark heads the export) and the maker's credit at the right, on one line.
class Disclaimer {
  public:
    static constexpr qreal textSize = 8.5;
    static constexpr qreal leading = 2;
    static constexpr qreal studioTracking = 1.53;

    // Says so when lender fees or a fixed portion are entered.
    static QString text(bool loanCostsEntered);
    static QString studio();
    static QColor ink(const QPalette &palette);

    // `studioHeight`: 0 when a broker's logo heads the export and the studio is not named.
    explicit Disclaimer(qreal studioHeight);

    // The credit line's.
    qreal height() const { return height_; }
    // The top of the studio's name on the credit line at `y`.
    qreal studioTop(qreal y) const { return y + (height_ - studioHeight_) / 2; }
    // The maker's credit, ending at `right`, on the credit line at `y`.
    void paintCredit(QPainter &painter, const QPalette &palette, qreal right, qreal y) const;

  private:
    qreal studioHeight_;
    QSizeF credit_;
    qreal height_;
};

} // namespace brolga
