#pragma once

#include <QPointF>
#include <QRectF>

#include <cstddef>
#include <utility>
#include <vector>

class QColor;
class QPainter;

namespace brolga {

// Labelled figures three to a row, each in a rounded cell with its label over its figure, as the card and the
// report show a tab's inputs.
class FigureGrid {
  public:
    static constexpr int columns = 3;
    static constexpr qreal spacing = 10, rowSpacing = 8, cellPad = 8, labelSpacing = 2;

    // Cells `first` to `last` (not included), the tallest of them `height` high.
    struct Row {
        std::size_t first;
        std::size_t last;
        qreal height;
    };

    explicit FigureGrid(qreal width) : columnWidth_((width - spacing * (columns - 1)) / columns) {}

    // What a label or a figure may take.
    qreal textWidth() const { return columnWidth_ - 2 * cellPad; }
    static qreal cellHeight(qreal label, qreal value) { return label + labelSpacing + value + 2 * cellPad; }
    // The rows of cells of these label and figure heights.
    static std::vector<Row> rows(const std::vector<std::pair<qreal, qreal>> &heights);

    // Cell `index` of `row`, whose top left is `at`: `height` high, centred in the row.
    QRectF cell(const Row &row, std::size_t index, const QPointF &at, qreal height) const;
    static QPointF labelAt(const QRectF &cell) { return cell.topLeft() + QPointF(cellPad, cellPad); }
    static QPointF valueAt(const QRectF &cell, qreal labelHeight)
    {
        return labelAt(cell) + QPointF(0, labelHeight + labelSpacing);
    }

    // A cell's ground and its outline, which sits inside it.
    static void paintCell(QPainter &painter, const QRectF &cell, qreal radius, const QColor &ground,
                          const QColor &outline, qreal outlineWidth);

  private:
    qreal columnWidth_;
};

} // namespace brolga
