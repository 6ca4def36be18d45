#pragma once

#include "filter/Zpk.h"

// The largest |H(e^jw)| over 0 <= w <= pi, to about 1e-9 relative, and the w where it
// lies (the lowest where several are equal): a dense grid, made denser around every root
// near the unit circle, whose largest values are then refined (RootGrid, BestOnGrid).
// Infinite when a pole lies on the circle; 0 for a response that is 0 everywhere.
struct PeakPoint {
    double omega = 0.0;
    WideGain gain;
};
PeakPoint FindPeak(const Zpk& zpk);
// FindPeak's gain.
WideGain WidePeakGain(const Zpk& zpk);
// The same as a double: infinite also where it is beyond the range of a double.
double TruePeakGain(const Zpk& zpk);

// Why a filter cannot be brought to unit peak gain.
enum class PeakProblem { None, NonCausal, NotFinite };

// The one recipe for running a filter at unit peak gain: it must be causal and its true
// peak gain finite and above 0 (a WideGain: a peak of 1e400 is finite, to be divided out
// over several sections); dividing by the peak then brings it to 1.
struct UnitPeak {
    PeakProblem problem = PeakProblem::None;
    WideGain peak;
};
UnitPeak UnitPeakGain(const Zpk& zpk);
