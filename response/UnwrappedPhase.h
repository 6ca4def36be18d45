#pragma once

#include "filter/Zpk.h"

#include <vector>

// The phase of H(e^jw) as one continuous function of w, computed root by root so that
// it needs no unwrapping of samples: a steep slope is never taken for a jump, and a
// jump is never taken for a slope.

// The phase in radians at w radians per sample, continuous in w except where a root
// lies on the unit circle (within 1e-9), where it jumps by pi and is NaN on the root
// itself. It equals the phase of H(e^jw) up to a multiple of 2 pi.
double UnwrappedPhase(const Zpk& zpk, double omega);
// The angles in [0, pi] of the roots on the unit circle, where the phase jumps,
// ascending and each once.
std::vector<double> PhaseJumps(const Zpk& zpk);
