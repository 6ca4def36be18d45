#include "filter/PeakGain.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int kGridSteps = 2048;
// Points laid around a pole, in units of its distance from the circle, which is
// about the half width of its resonance.
constexpr int kPolePoints = 24;
// Grid points closer than this are one.
constexpr double kMinSpacing = 1e-12;
// How many of the grid's local maxima are refined.
constexpr size_t kRefined = 8;

WideGain Gain(const Zpk& roots, double omega) {
    return roots.MagnitudeOnCircle(omega);
}

// Golden-section search for the maximum inside [a, b], whose middle grid point was
// the largest of its neighbours.
WideGain Refine(const Zpk& roots, double a, double b) {
    const double ratio = 0.6180339887498949;
    double c = b - ratio * (b - a);
    double d = a + ratio * (b - a);
    WideGain gc = Gain(roots, c);
    WideGain gd = Gain(roots, d);
    WideGain best = std::max(gc, gd);
    // 80 steps shrink the bracket by 1e-17: the angle is then exact to the last bit.
    for (int step = 0; step < 80 && c < d; ++step) {
        if (!(gc < gd)) {
            b = d;
            d = c;
            gd = gc;
            c = b - ratio * (b - a);
            gc = Gain(roots, c);
        } else {
            a = c;
            c = d;
            gc = gd;
            d = a + ratio * (b - a);
            gd = Gain(roots, d);
        }
        best = std::max({best, gc, gd});
    }
    return best;
}

std::vector<double> Grid(const Zpk& roots) {
    std::vector<double> grid;
    for (int k = 0; k <= kGridSteps; ++k) {
        grid.push_back(k * kPi / kGridSteps);
    }
    for (const FComplex& p : roots.poles) {
        const double angle = std::fabs(p.Phase());
        const double width = std::fabs(1.0 - p.Mag());
        // A wide resonance is covered by the even grid already.
        if (width > kPi / kGridSteps) {
            continue;
        }
        for (int k = -kPolePoints; k <= kPolePoints; ++k) {
            const double w = angle + k * width / 4;
            if (w >= 0.0 && w <= kPi) {
                grid.push_back(w);
            }
        }
    }
    // Points of neighbouring poles' grids that nearly coincide would bracket a
    // maximum too tightly to refine it.
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end(),
                           [](double a, double b) { return b - a < kMinSpacing; }),
               grid.end());
    return grid;
}

} // namespace

WideGain WidePeakGain(const Zpk& roots) {
    const std::vector<double> grid = Grid(roots);
    std::vector<WideGain> gain(grid.size());
    for (size_t k = 0; k < grid.size(); ++k) {
        gain[k] = Gain(roots, grid[k]);
        if (gain[k].IsInfinite()) {
            return gain[k];
        }
    }
    // Local maxima of the grid, largest first; each is refined between its neighbours.
    std::vector<size_t> peaks;
    for (size_t k = 0; k < grid.size(); ++k) {
        const bool left = k == 0 || !(gain[k] < gain[k - 1]);
        const bool right = k + 1 == grid.size() || !(gain[k] < gain[k + 1]);
        if (left && right) {
            peaks.push_back(k);
        }
    }
    std::sort(peaks.begin(), peaks.end(),
              [&gain](size_t a, size_t b) { return gain[b] < gain[a]; });
    WideGain best(0.0);
    for (const WideGain& g : gain) {
        best = std::max(best, g);
    }
    for (size_t n = 0; n < std::min(peaks.size(), kRefined); ++n) {
        const size_t k = peaks[n];
        const double a = grid[k == 0 ? 0 : k - 1];
        const double b = grid[k + 1 == grid.size() ? k : k + 1];
        best = std::max(best, Refine(roots, a, b));
    }
    return best;
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
