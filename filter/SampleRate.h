#pragma once

// Sampling rates, in whole hertz.
using SampleRate = int;

// The rate a design is looked at and run with when none is chosen.
inline constexpr SampleRate kDefaultSampleRate = 8000;
