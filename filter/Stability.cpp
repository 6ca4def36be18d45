#include "filter/Stability.h"

#include <algorithm>

double LargestPoleRadius(const Zpk& zpk) {
    double radius = 0.0;
    for (const FComplex& p : zpk.poles) {
        radius = std::max(radius, p.Mag());
    }
    return radius;
}

bool IsStable(const Zpk& zpk) {
    // Written so that a non-finite pole counts as unstable too.
    return std::all_of(zpk.poles.begin(), zpk.poles.end(),
                       [](const FComplex& p) { return p.Mag() < 1.0; });
}
