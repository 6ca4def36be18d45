#pragma once

// qen delay DESIGN.pzd [--resolution N] [--rate HZ] [-o FILE]: the group delay of a
// design at the frequencies of qen freq, as GroupDelayText writes it.

extern const char* const kDelaySynopsis;
extern const char* const kDelaySummary;
