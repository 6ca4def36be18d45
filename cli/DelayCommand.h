#pragma once

#include <string>

class FNodeList;

// qen delay DESIGN.pzd [--resolution N] [--rate HZ] [-o FILE]: the group delay of a
// design at the frequencies of qen freq.

extern const char* const kDelaySynopsis;
extern const char* const kDelaySummary;

// resolution + 1 lines "frequency_hz delay_samples" from 0 Hz to rate / 2, the delay
// "nan" where a zero on the unit circle leaves it undefined.
std::string GroupDelayText(const FNodeList& list, int resolution, int rate);
