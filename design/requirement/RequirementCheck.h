#pragma once

#include "design/requirement/Requirement.h"
#include "filter/Zpk.h"

#include <string>
#include <vector>

// A region counts as met down to this margin: a design meets its own requirement with
// a margin of 0 up to rounding.
inline constexpr double kMarginToleranceDb = 1e-6;

// How the response does in one region of a requirement.
struct RegionResult {
    Requirement::Region region;
    // The largest loss below the passband peak (passband) or the smallest attenuation
    // below it (stopband), in dB, and the frequency in Hz where the response has it.
    double worstDb = 0.0;
    double worstHz = 0.0;
    // The room left: limit - loss, or attenuation - limit; negative where it misses.
    double marginDb = 0.0;

    bool Holds() const { return marginDb > -kMarginToleranceDb; }
};

struct RequirementResult {
    // One per region of the requirement, in order of frequency.
    std::vector<RegionResult> regions;
    // 20 log10 of the largest |H| over the passband, the zpk's gain included, which the
    // regions' values are measured from: a mask drawn under the response lies rippleDb
    // and attenuationDb below it.
    double peakDb = 0.0;

    bool Holds() const;
    // "Meets specification", or the region that misses by most: "Stopband short by
    // 2.3 dB".
    std::string Verdict() const;
};

// The magnitude response of zpk at rate against req, normalised to 0 dB at its largest
// value in the passband. Each worst value is found to about 1e-6 dB: a dense grid over
// each region, made denser around the roots near the unit circle, whose extreme values
// are then refined. A pole on the circle in a passband makes every loss infinite, one in
// a stopband its attenuation -infinity; a zero on the circle in a passband makes the loss
// infinite. req must pass CheckAtRate(rate).
RequirementResult CheckRequirement(const Zpk& zpk, const Requirement& req, double rate);
