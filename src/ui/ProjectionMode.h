#pragma once

#include "core/ScreenChoices.h"

#include <QString>

namespace brolga {

// The picker of the Repayment screen's projection: the same two cases as the stored ProjectionView, with
// the labels the screen shows. Choosing a case stores the ProjectionView of the same raw string.
enum class ProjectionMode { chart, schedule };

template <> struct EnumCases<ProjectionMode> {
    static constexpr std::array<std::pair<ProjectionMode, const char *>, 2> list{
        {{ProjectionMode::chart, "chart"}, {ProjectionMode::schedule, "schedule"}}};
};

inline QString label(ProjectionMode mode)
{
    return mode == ProjectionMode::schedule ? QStringLiteral("Schedule") : QStringLiteral("Chart");
}

// Through the raw strings, so the two enumerations stay tied by what is stored, not by their order.
inline ProjectionMode projectionMode(ProjectionView view)
{
    return fromRaw<ProjectionMode>(rawValue(view)).value_or(ProjectionMode::chart);
}

inline ProjectionView projectionView(ProjectionMode mode)
{
    return fromRaw<ProjectionView>(rawValue(mode)).value_or(ProjectionView::chart);
}

} // namespace brolga
