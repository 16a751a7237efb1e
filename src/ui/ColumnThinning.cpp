#include "ui/ColumnThinning.h"

#include <algorithm>
#include <cmath>

namespace brolga {

QPolygonF thinToColumns(const QPolygonF &points, qreal columnWidth)
{
    const qsizetype n = points.size();
    if (n <= 2 || !(columnWidth > 0) || !std::isfinite(columnWidth))
        return points;

    QPolygonF kept;
    kept.reserve(std::min<qsizetype>(n, 3 * qsizetype(std::ceil((points.last().x() - points.first().x()) / columnWidth)) + 2));
    kept << points.first();
    for (qsizetype i = 1; i < n;) {
        const qreal column = std::floor(points[i].x() / columnWidth);
        qsizetype lowest = i, highest = i, end = i;
        for (; end < n && std::floor(points[end].x() / columnWidth) == column; ++end) {
            if (points[end].y() < points[lowest].y())
                lowest = end;
            if (points[end].y() > points[highest].y())
                highest = end;
        }
        const qsizetype last = std::max(end - 1, i); // a NaN x still moves on by one point
        const qreal from = kept.last().y(), to = points[last].y();
        const auto missed = [&](qsizetype k) {
            return k != last && (points[k].y() < std::min(from, to) || points[k].y() > std::max(from, to));
        };
        const qsizetype first = std::min(lowest, highest), second = std::max(lowest, highest);
        if (missed(first))
            kept << points[first];
        if (second != first && missed(second))
            kept << points[second];
        kept << points[last];
        i = last + 1;
    }
    return kept;
}

} // namespace brolga
