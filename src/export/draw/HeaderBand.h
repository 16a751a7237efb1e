#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <vector>

class QPainter;
class QPalette;

namespace brolga {

// The letterhead band atop the card and the report's first page: the title and identity lines down the left,
// the logo or lockup over the date at the right, both columns centred in the band, the accent rule under it.
// Its colours come from LetterheadBand; what the card and the page make different is the frame.
class HeaderBand {
  public:
    struct Frame {
        qreal width; // the band's, edge to edge
        qreal pad;   // above and below the taller column
        qreal left;  // where the lines start
        qreal right; // where the mark and the date end
        qreal gap;   // between the columns
        qreal rule;  // the accent rule's height
    };
    // A block of the left column: `lines` lines of `lineHeight` each.
    struct Item {
        qreal lineHeight;
        int lines = 1;
    };
    static constexpr qreal itemSpacing = 4;
    static constexpr qreal stampSpacing = 7;

    HeaderBand(const Frame &frame, const QSizeF &mark, const QSizeF &stamp);

    // What the left column's lines may take.
    qreal leftWidth() const { return frame_.right - frame_.left - frame_.gap - rightWidth_; }
    // Lays the left column's items out; returns the top of each.
    std::vector<qreal> place(const std::vector<Item> &items);

    QPointF markAt() const { return markAt_; }
    // The date's top right.
    QPointF stampAt() const { return {frame_.right, markAt_.y() + mark_.height() + stampSpacing}; }
    // The band with its accent rule.
    qreal height() const { return band_.height() + frame_.rule; }

    // The band's field and its accent rule.
    void paint(QPainter &painter, const QPalette &palette) const;

  private:
    Frame frame_;
    QSizeF mark_;
    qreal rightWidth_;
    qreal rightHeight_;
    QRectF band_;
    QPointF markAt_;
};

} // namespace brolga
