#include "export/draw/FigureGrid.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace brolga {

std::vector<FigureGrid::Row> FigureGrid::rows(const std::vector<std::pair<qreal, qreal>> &heights)
{
    std::vector<Row> out;
    for (std::size_t first = 0; first < heights.size(); first += columns) {
        Row row{first, std::min(heights.size(), first + columns), 0};
        for (std::size_t i = first; i < row.last; ++i)
            row.height = std::max(row.height, cellHeight(heights[i].first, heights[i].second));
        out.push_back(row);
    }
    return out;
}

QRectF FigureGrid::cell(const Row &row, std::size_t index, const QPointF &at, qreal height) const
{
    return QRectF(at.x() + qreal(index - row.first) * (columnWidth_ + spacing), at.y() + (row.height - height) / 2,
                  columnWidth_, height);
}

void FigureGrid::paintCell(QPainter &painter, const QRectF &cell, qreal radius, const QColor &ground,
                           const QColor &outline, qreal outlineWidth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(cell, radius, radius);
    painter.fillPath(shape, ground);
    const qreal inset = outlineWidth / 2;
    QPainterPath line;
    line.addRoundedRect(cell.adjusted(inset, inset, -inset, -inset), radius - inset, radius - inset);
    painter.strokePath(line, QPen(outline, outlineWidth));
    painter.restore();
}

} // namespace brolga
