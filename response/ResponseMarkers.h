#pragma once

#include "filter/WideGain.h"
#include "filter/Zpk.h"

#include <vector>

// Where a design's frequency response has the features a graph marks, found to about
// 1e-9 relative rather than read from a drawn grid: a grid made denser around every root
// near the unit circle, refined by golden-section search (maxima) or bisection
// (crossings). Frequencies are w in radians per sample, 0 ... pi.

// The w where |H| crosses the half-power level of the peak, |H| = peak / sqrt(2)
// (-3.01 dB), ascending; none when the peak is 0 or infinite.
std::vector<double> FindHalfPowerPoints(const Zpk& zpk);

struct DelayPeak {
    double omega = 0.0;
    // Samples; NaN when the delay is undefined everywhere it was looked at.
    double delay = 0.0;
};
// The largest group delay and where it lies; the delay is undefined (and not looked
// at) on a root on the unit circle.
DelayPeak FindDelayPeak(const Zpk& zpk);
