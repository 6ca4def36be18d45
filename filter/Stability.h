#pragma once

#include "core/FNodeList.h"

// Whether a design's response dies away: it does when every pole lies strictly inside
// the unit circle.

// The largest distance of a pole from the origin; 0 for a design without poles.
double LargestPoleRadius(const FNodeList& list);
// False when a pole lies on or outside the unit circle (within rounding error of it).
bool IsStable(const FNodeList& list);
