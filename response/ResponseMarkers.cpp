#include "response/ResponseMarkers.h"

#include "response/FGroupDelay.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr int kGridSteps = 4096;
// Points laid around a root near the circle, in units of a quarter of its distance from
// the circle, which is about the half width of its resonance or notch.
constexpr int kRootPoints = 24;
// Grid points closer than this are one.
constexpr double kMinSpacing = 1e-12;
// How many of the grid's largest local maxima are refined.
constexpr size_t kRefined = 8;

using Curve = std::function<double(double)>;

// An even grid over 0 ... pi, made denser around each root whose resonance or notch is
// narrower than its steps.
std::vector<double> Grid(const Zpk& zpk) {
    std::vector<double> grid;
    for (int k = 0; k <= kGridSteps; ++k) {
        grid.push_back(k * kPi / kGridSteps);
    }
    for (const auto* roots : {&zpk.poles, &zpk.zeros}) {
        for (const FComplex& c : *roots) {
            const double angle = std::fabs(c.Phase());
            const double width = std::fabs(1.0 - c.Mag());
            if (width > kPi / kGridSteps) {
                continue;
            }
            for (int k = -kRootPoints; k <= kRootPoints; ++k) {
                const double w = angle + k * width / 4;
                if (w >= 0.0 && w <= kPi) {
                    grid.push_back(w);
                }
            }
        }
    }
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end(),
                           [](double a, double b) { return b - a < kMinSpacing; }),
               grid.end());
    return grid;
}

// An undefined value never wins a comparison for the largest.
double Defined(double v) {
    return std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
}

// Golden-section search for the largest f inside [a, b]; the w found and f there.
std::pair<double, double> GoldenMax(const Curve& f, double a, double b) {
    const double ratio = 0.6180339887498949;
    double c = b - ratio * (b - a);
    double d = a + ratio * (b - a);
    double fc = Defined(f(c));
    double fd = Defined(f(d));
    // 80 steps shrink the bracket by 1e-17: the angle is exact to its last bit.
    for (int step = 0; step < 80 && c < d; ++step) {
        if (!(fc < fd)) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = Defined(f(c));
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = Defined(f(d));
        }
    }
    return fc < fd ? std::make_pair(d, fd) : std::make_pair(c, fc);
}

// The largest value of f: the grid's largest local maxima, each refined between its
// neighbours.
std::pair<double, double> Maximum(const Curve& f, const std::vector<double>& grid) {
    std::vector<double> value(grid.size());
    for (size_t k = 0; k < grid.size(); ++k) {
        value[k] = Defined(f(grid[k]));
    }
    std::vector<size_t> peaks;
    for (size_t k = 0; k < grid.size(); ++k) {
        const bool left = k == 0 || !(value[k] < value[k - 1]);
        const bool right = k + 1 == grid.size() || !(value[k] < value[k + 1]);
        if (left && right) {
            peaks.push_back(k);
        }
    }
    std::stable_sort(peaks.begin(), peaks.end(),
                     [&value](size_t a, size_t b) { return value[b] < value[a]; });
    std::pair<double, double> best(grid.front(), value.front());
    for (size_t n = 0; n < std::min(peaks.size(), kRefined); ++n) {
        const size_t k = peaks[n];
        std::pair<double, double> found(grid[k], value[k]);
        // An infinite value (on a pole) is exact already; the search would walk off it.
        if (std::isfinite(value[k])) {
            const auto refined =
                GoldenMax(f, grid[k == 0 ? 0 : k - 1], grid[k + 1 == grid.size() ? k : k + 1]);
            found = std::max(found, refined,
                             [](const auto& x, const auto& y) { return x.second < y.second; });
        }
        if (best.second < found.second ||
            (best.second == found.second && found.first < best.first)) {
            best = found;
        }
    }
    return best;
}

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

MagnitudePeak FindMagnitudePeak(const Zpk& zpk) {
    const Curve logGain = [&zpk](double w) { return zpk.MagnitudeOnCircle(w).Log(); };
    const auto [omega, log] = Maximum(logGain, Grid(zpk));
    return {omega, zpk.MagnitudeOnCircle(omega)};
}

std::vector<double> FindHalfPowerPoints(const Zpk& zpk) {
    std::vector<double> points;
    const MagnitudePeak peak = FindMagnitudePeak(zpk);
    if (peak.gain.IsZero() || peak.gain.IsInfinite()) {
        return points;
    }
    const double level = peak.gain.Log() - 0.5 * std::log(2.0);
    // Above the level is positive; a zero of the response is far below it.
    const Curve above = [&zpk, level](double w) {
        const double log = zpk.MagnitudeOnCircle(w).Log();
        return std::isnan(log) ? -1.0 : log - level;
    };
    const std::vector<double> grid = Grid(zpk);
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
    const Curve at = [&delay](double w) { return delay.At(w); };
    const auto [omega, value] = Maximum(at, Grid(zpk));
    return {omega, std::isinf(value) ? std::numeric_limits<double>::quiet_NaN() : value};
}
