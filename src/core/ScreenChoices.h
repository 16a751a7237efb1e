#pragma once

#include "calc/CalcChoices.h"

namespace brolga {

// The app's own enumerations; the calculations' vocabulary comes with calc/CalcChoices.h.
enum class CalculatorTab { repayment, capacity, income, upfront };
enum class ProjectionView { chart, schedule };

template <> struct EnumCases<CalculatorTab> {
    static constexpr std::array<std::pair<CalculatorTab, const char *>, 4> list{
        {{CalculatorTab::repayment, "repayment"},
         {CalculatorTab::capacity, "capacity"},
         {CalculatorTab::income, "income"},
         {CalculatorTab::upfront, "upfront"}}};
};

template <> struct EnumCases<ProjectionView> {
    static constexpr std::array<std::pair<ProjectionView, const char *>, 2> list{
        {{ProjectionView::chart, "chart"}, {ProjectionView::schedule, "schedule"}}};
};

} // namespace brolga
