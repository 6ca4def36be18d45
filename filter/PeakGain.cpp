#include "filter/PeakGain.h"

#include "filter/ExtremumSearch.h"

#include <cmath>
#include <vector>

PeakPoint FindPeak(const Zpk& zpk) {
    const std::vector<double> grid = RootGrid(zpk, 0.0, kPi, GridDensity{});
    const auto gain = [&zpk](double omega) { return zpk.MagnitudeOnCircle(omega); };
    std::vector<WideGain> values(grid.size());
    for (size_t k = 0; k < grid.size(); ++k) {
        values[k] = gain(grid[k]);
        // A pole on the circle: nothing is larger.
        if (values[k].IsInfinite()) {
            return {grid[k], values[k]};
        }
    }
    const auto larger = [](const WideGain& x, const WideGain& y) { return y < x; };
    // Eight maxima refined over 80 steps: the angle, and so the gain, exact to the last bit.
    const CurvePoint<WideGain> peak = BestOnGrid(gain, grid, values, larger, 8, 80);
    return {peak.omega, peak.value};
}

WideGain WidePeakGain(const Zpk& zpk) {
    return FindPeak(zpk).gain;
}

double TruePeakGain(const Zpk& zpk) {
    return WidePeakGain(zpk).ToDouble();
}

UnitPeak UnitPeakGain(const Zpk& zpk) {
    UnitPeak result;
    if (!zpk.Causal()) {
        result.problem = PeakProblem::NonCausal;
        return result;
    }
    result.peak = WidePeakGain(zpk);
    // Dividing by a zero or non-finite peak would turn every sample into noise or NaN.
    if (result.peak.IsZero() || result.peak.IsInfinite()) {
        result.problem = PeakProblem::NotFinite;
    }
    return result;
}
