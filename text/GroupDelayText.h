#pragma once

#include "response/FGroupDelay.h"

#include <string>

// resolution + 1 lines "frequency_hz delay_samples" ("%.6f %.10g") from 0 Hz to
// rate / 2 in even steps, the delay "nan" where it is undefined.
std::string GroupDelayText(const FGroupDelay& delay, int resolution, int rate);
