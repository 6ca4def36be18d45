#pragma once

#include "filter/PeakGain.h"
#include "filter/SosCascade.h"

#include <vector>

// A filter's sections scaled for arithmetic of limited range: the cascade of the first k
// sections has a peak gain |H1...Hk| over 0 <= w <= pi of 1 (to about 1e-9, as
// WidePeakGain finds it) for every k, so that in steady state no sine drives any
// section's output beyond full scale. The whole cascade then has unit peak gain.
struct PeakScaledCascade {
    PeakProblem problem = PeakProblem::None;
    // The sections of SosCascade::FromZpk, in its order, each numerator multiplied by
    // its share; gain 1.
    SosCascade cascade;
    // What each section's numerator was multiplied by, the design's gain included in
    // the first: their product is gain / (peak gain).
    std::vector<double> shares;
};

// NonCausal for a non-causal zpk; NotFinite when a prefix's peak gain is 0 or infinite
// (a pole on the unit circle) or a share lies beyond the range of a double.
PeakScaledCascade PeakScaled(const Zpk& zpk);
