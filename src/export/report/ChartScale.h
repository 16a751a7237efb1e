#pragma once

namespace brolga {

// A value axis a reader takes in at a glance: from 0 in steps of 1, 2, 2.5 or 5 times a power of ten, no more
// steps than asked for, the top at or above the largest value.
struct ChartScale {
    double step = 1;
    int steps = 1;

    double top() const { return step * steps; }

    static ChartScale of(double largest, int maxSteps = 5);
};

} // namespace brolga
