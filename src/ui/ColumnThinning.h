#pragma once

#include <QPolygonF>

namespace brolga {

// A line with far more points than pixels across costs far more to stroke than it shows. Of each run of
// points that falls in one column `columnWidth` wide, this keeps the last, and the highest and lowest as
// well when the straight line from the point before would miss them, so peaks and dips survive. A curve
// that only rises or only falls keeps one point per column. The first and last points are always kept.
// `points` must go left to right.
QPolygonF thinToColumns(const QPolygonF &points, qreal columnWidth);

} // namespace brolga
