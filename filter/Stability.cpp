#include "filter/Stability.h"

#include <algorithm>

double LargestPoleRadius(const FNodeList& list) {
    double radius = 0.0;
    for (short k = 0; k < list.GetListCount(kNodePole); ++k) {
        radius = std::max(radius, list.GetNodeByIndex(kNodePole, k).Value().Mag());
    }
    return radius;
}

bool IsStable(const FNodeList& list) {
    // A pole typed in polar form at radius 1 comes out a hair inside or outside it.
    return LargestPoleRadius(list) < 1.0 - 1e-9;
}
