#pragma once

// Conversions between a duration in milliseconds and a number of samples at a
// sampling rate in Hz, shared by the time graph and the command-line tool.

// The largest number of samples a time response may be asked for.
inline constexpr long long kMaxTimeSamples = 1000000;

// trunc(ms / 1000 * rate), with a guard against rounding error so that a duration of
// exactly n sample periods gives n. -1 for a non-finite duration or a rate below 1.
long long DurationSampleCount(double ms, int rate);

// The duration lengthened to the next whole number of sample periods beyond it:
// n = trunc(ms / 1000 * rate + 1), duration = n / rate * 1000.
double SnapDuration(double ms, int rate);
