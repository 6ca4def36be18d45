#pragma once

#include "filter/FRootSet.h"

// The largest |H(e^jw)| over 0 <= w <= pi, to about 1e-9 relative: a dense grid,
// made denser around every pole near the unit circle, whose largest values are then
// refined. Infinite when a pole lies on the circle; 0 for a response that is 0
// everywhere.
double TruePeakGain(const FRootSet& roots);
