#include "response/ResponseMarkers.h"

#include "filter/ExtremumSearch.h"
#include "filter/PeakGain.h"
#include "response/FGroupDelay.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {

using Curve = std::function<double(double)>;

// The half-power crossings need the dips too: denser steps than the peak's grid.
constexpr GridDensity kDensity{4096, 24, 0.25};

// The w in [a, b] where f, negative at a and positive at b or the other way round,
// crosses 0, bisected to the last bit.
double Crossing(const Curve& f, double a, double b) {
    const bool risingAtA = f(a) < 0.0;
    for (int step = 0; step < 200; ++step) {
        const double m = 0.5 * (a + b);
        if (m <= a || m >= b) {
            break;
        }
        ((f(m) < 0.0) == risingAtA ? a : b) = m;
    }
    return 0.5 * (a + b);
}

} // namespace

std::vector<double> FindHalfPowerPoints(const Zpk& zpk) {
    std::vector<double> points;
    const PeakPoint peak = FindPeak(zpk);
    if (peak.gain.IsZero() || peak.gain.IsInfinite()) {
        return points;
    }
    const double level = peak.gain.Log() - 0.5 * std::log(2.0);
    // Above the level is positive; a zero of the response is far below it.
    const Curve above = [&zpk, level](double w) {
        const double log = zpk.MagnitudeOnCircle(w).Log();
        return std::isnan(log) ? -1.0 : log - level;
    };
    const std::vector<double> grid = RootGrid(zpk, 0.0, kPi, kDensity);
    double previous = above(grid.front());
    for (size_t k = 1; k < grid.size(); ++k) {
        const double next = above(grid[k]);
        if (next == 0.0) {
            points.push_back(grid[k]);
        } else if (previous != 0.0 && (previous < 0.0) != (next < 0.0)) {
            points.push_back(Crossing(above, grid[k - 1], grid[k]));
        }
        previous = next;
    }
    return points;
}

DelayPeak FindDelayPeak(const Zpk& zpk) {
    FGroupDelay delay;
    delay.Initialize(zpk);
    // An undefined delay never wins a comparison for the largest.
    const Curve at = [&delay](double w) {
        const double d = delay.At(w);
        return std::isnan(d) ? -std::numeric_limits<double>::infinity() : d;
    };
    const std::vector<double> grid = RootGrid(zpk, 0.0, kPi, kDensity);
    std::vector<double> values(grid.size());
    for (std::size_t k = 0; k < grid.size(); ++k) {
        values[k] = at(grid[k]);
    }
    const CurvePoint<double> peak = BestOnGrid(at, grid, values, std::greater<double>(), 8, 80);
    return {peak.omega,
            std::isinf(peak.value) ? std::numeric_limits<double>::quiet_NaN() : peak.value};
}
