#pragma once

#include <string>

// Texts of the numbers a graph's read-out shows: as many digits as the view can tell
// apart, and never a field that overflows.

// A frequency with at least four significant digits and enough decimals to tell apart
// two values step Hz apart (the width of a pixel): "97.08 Hz", "1000 Hz"; in kHz from
// 10 kHz up ("22.05 kHz"). A negative frequency (a difference) keeps its sign.
std::string FormatFrequency(double hz, double step);
// A time in milliseconds by the same rule: "0.8750 ms", "1250 ms".
std::string FormatMilliseconds(double ms, double step);
// value with decimals fixed decimals; a value the fixed format would show as zero or
// that has more than six digits before the point, in "%.6g" style instead ("1.2e-05",
// "5.22314e+43"); inf, -inf and nan as such.
std::string FormatValue(double value, int decimals);
// As FormatValue, for quantities whose smallest steps are rounding (dB, degrees): a value
// that rounds to zero reads 0.
std::string FormatFixed(double value, int decimals);
