#pragma once

#include "filter/Zpk.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// The extremes of a function of w over part of 0 ... pi, found to the last bits of w
// rather than read from a grid: the grid's best local extremes, each refined by
// golden-section search between its neighbours. The grid is made denser around every
// root near the unit circle, whose resonance or notch even steps would pass over.

// How densely a grid is laid.
struct GridDensity {
    // Even steps over 0 ... pi; a part of it gets its share, at least 8.
    int steps = 2048;
    // Points either side of a root whose distance d from the circle is less than two
    // steps, spacing * d apart (d is about the half width of its resonance or notch).
    int rootPoints = 24;
    double rootSpacing = 0.25;
};

// The grid over [from, to], ascending, without points closer than 1e-12.
std::vector<double> RootGrid(const Zpk& zpk, double from, double to, const GridDensity& density);

template <typename Value> struct CurvePoint {
    double omega = 0.0;
    Value value{};
};

// Golden-section search over [a, b] for the value of f that better prefers, in steps
// steps (80 shrink any bracket to the last bit of w); best is the best point known
// there and stays unless a strictly better one is found.
template <typename Value, typename Curve, typename Better>
CurvePoint<Value> GoldenSearch(const Curve& f, double a, double b, CurvePoint<Value> best,
                               Better better, int steps) {
    const double ratio = 0.6180339887498949;
    double c = b - ratio * (b - a);
    double d = a + ratio * (b - a);
    Value fc = f(c);
    Value fd = f(d);
    for (int step = 0;; ++step) {
        if (better(fc, best.value)) {
            best = {c, fc};
        }
        if (better(fd, best.value)) {
            best = {d, fd};
        }
        if (step == steps || !(c < d)) {
            return best;
        }
        if (!better(fd, fc)) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = f(d);
        }
    }
}

// The value of f that better prefers: the grid's local extremes (values holds f on the
// grid), the refined best of them each searched between its neighbours. Among equal
// values the lowest w wins.
template <typename Value, typename Curve, typename Better>
CurvePoint<Value> BestOnGrid(const Curve& f, const std::vector<double>& grid,
                             const std::vector<Value>& values, Better better, std::size_t refined,
                             int steps) {
    std::vector<std::size_t> extremes;
    for (std::size_t k = 0; k < grid.size(); ++k) {
        const bool left = k == 0 || !better(values[k - 1], values[k]);
        const bool right = k + 1 == grid.size() || !better(values[k + 1], values[k]);
        if (left && right) {
            extremes.push_back(k);
        }
    }
    std::stable_sort(extremes.begin(), extremes.end(),
                     [&](std::size_t a, std::size_t b) { return better(values[a], values[b]); });
    CurvePoint<Value> best{grid.front(), values.front()};
    for (const std::size_t k : extremes) {
        if (better(values[k], best.value)) {
            best = {grid[k], values[k]};
        }
    }
    for (std::size_t n = 0; n < std::min(extremes.size(), refined); ++n) {
        const std::size_t k = extremes[n];
        const CurvePoint<Value> found =
            GoldenSearch(f, grid[k == 0 ? 0 : k - 1], grid[k + 1 == grid.size() ? k : k + 1],
                         CurvePoint<Value>{grid[k], values[k]}, better, steps);
        if (better(found.value, best.value) ||
            (!better(best.value, found.value) && found.omega < best.omega)) {
            best = found;
        }
    }
    return best;
}
