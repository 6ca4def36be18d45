#pragma once

#include "filter/SampleRate.h"
#include "filter/Zpk.h"

// The second-order notch and resonant peak: a conjugate pole pair whose -3 dB bandwidth
// is centre / q, with a conjugate zero pair on the unit circle at the centre (notch, unit
// gain at DC and half the rate) or zeros at z = 1 and z = -1 (peak, unit gain at the
// centre). The bandwidth is prewarped as the bilinear transform of the analog sections.
class FNotchPeakDesign {
public:
    enum class Kind { Notch, Peak };
    // Q: q is not above 2 centre / rate, which would put the band's edge beyond half the
    // rate. Unstable: the poles round onto the unit circle, as with q near 1e16.
    enum class Problem { None, Rate, Centre, Q, Unstable };

    Kind kind = Kind::Notch;
    // Hz at the sampling rate, strictly between 0 and half the rate.
    double centre = 1000.0;
    double q = 10.0;
    double rate = kDefaultSampleRate;

    // The first argument that keeps this request from being designed, or Problem::None.
    Problem Check() const;
    // The design in *zpk; anything but Problem::None leaves *zpk untouched.
    Problem Design(Zpk* zpk) const;
};
