#include "filter/ExtremumSearch.h"

#include <cmath>

std::vector<double> RootGrid(const Zpk& zpk, double from, double to, const GridDensity& density) {
    const double step = kPi / density.steps;
    const int steps = std::max(8, static_cast<int>(std::ceil((to - from) / step)));
    std::vector<double> grid;
    grid.reserve(static_cast<std::size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        grid.push_back(k == steps ? to : from + (to - from) * k / steps);
    }
    for (const std::vector<FComplex>* roots : {&zpk.poles, &zpk.zeros}) {
        for (const FComplex& root : *roots) {
            const double angle = std::fabs(root.Phase());
            const double width = std::fabs(1.0 - root.Mag());
            // A wide resonance is covered by the even steps already.
            if (!(width < 2.0 * step)) {
                continue;
            }
            for (int k = -density.rootPoints; k <= density.rootPoints; ++k) {
                const double w = angle + k * width * density.rootSpacing;
                if (w >= from && w <= to) {
                    grid.push_back(w);
                }
            }
        }
    }
    // Points of neighbouring roots' grids that nearly coincide would bracket an extreme
    // too tightly to refine it.
    std::sort(grid.begin(), grid.end());
    grid.erase(
        std::unique(grid.begin(), grid.end(), [](double a, double b) { return b - a < 1e-12; }),
        grid.end());
    return grid;
}
