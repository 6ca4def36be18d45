#pragma once

#include "filter/Zpk.h"

// Whether a filter's response dies away: the one rule every part of the program uses.

// The largest distance of a pole from the origin; 0 for a filter without poles.
double LargestPoleRadius(const Zpk& zpk);
// True when every pole lies strictly inside the unit circle, |p| < 1, with no tolerance.
bool IsStable(const Zpk& zpk);
