#pragma once

#include <utility>
#include <vector>

// A point of a trace: the value along the horizontal axis and the one along the vertical.
using PlotPoint = std::pair<double, double>;

// The pieces a phase trace is drawn in, from samples of the continuous phase (radians)
// at ascending x: a gap where a sample is NaN (the phase is undefined on a root on the
// unit circle, where it jumps) and, when wrapped, a gap where the phase leaves
// (-pi, pi] at one edge and comes back at the other, each piece then running on to
// that edge so that the trace reaches it. Unwrapped, the pieces carry the phase as given.
std::vector<std::vector<PlotPoint>> PhaseSegments(const std::vector<double>& x,
                                                  const std::vector<double>& phase, bool wrapped);
