#pragma once

#include "design/iir/FStandardDesign.h"

#include <array>
#include <string>
#include <vector>

// What a filter's magnitude response must do, taken relative to its largest value in the
// passband: stay within rippleDb of it across the passband and stay attenuationDb or more
// below it across the stopband. Edges are in Hz at the rate the design is used with.
class Requirement {
public:
    using Band = FStandardDesign::Band;
    // Passband: its edges are not positive and ascending or (at a rate) not below half
    // the rate. Stopband: the same for the stopband, or it does not lie where the type
    // needs it beside the passband.
    enum class Problem { None, Rate, Passband, Stopband, Ripple, Attenuation };

    // One stretch of frequencies the response is held to.
    struct Region {
        bool stopband;
        double fromHz;
        double toHz;
        // The largest loss (passband) or the smallest attenuation (stopband) allowed.
        double limitDb;
    };

    Band band = Band::Lowpass;
    // Lowpass and highpass use the first edge of each pair; the band types use both, the
    // lower first. A lowpass's passband lies below its stopband, a highpass's above; a
    // bandpass's stopband edges lie outside its passband, a bandstop's inside.
    std::array<double, 2> passband = {1000.0, 0.0};
    std::array<double, 2> stopband = {1500.0, 0.0};
    double rippleDb = 1.0;
    double attenuationDb = 40.0;

    // What makes this no requirement whatever the rate: edges out of place, a ripple not
    // above 0 dB, an attenuation not above the ripple, or either beyond
    // FStandardDesign::kMaxDecibels.
    Problem Check() const;
    // Check(), then a rate that is not positive or edges not below half of it.
    Problem CheckAtRate(double rate) const;

    // The passbands and stopbands from 0 to half the rate in order of frequency; the
    // transition bands between them are free.
    std::vector<Region> Regions(double rate) const;

    bool operator==(const Requirement&) const = default;

    // The type as the command line and the design file name it: "lowpass", "highpass",
    // "bandpass", "bandstop"; BandNamed gives false for any other word.
    static const char* BandName(Band band);
    static bool BandNamed(const std::string& name, Band* band);
};
