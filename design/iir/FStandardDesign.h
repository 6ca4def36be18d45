#pragma once

#include "filter/SampleRate.h"
#include "filter/Zpk.h"

#include <complex>
#include <vector>

// The classical filter designs on the z-plane: an analog lowpass prototype, moved to the
// requested band in the s-plane and mapped to z by the bilinear transform with
// prewarped corners. The gain gives the passband its nominal level: 1, or for an even
// order with passband ripple the bottom of the ripple.
class FStandardDesign {
public:
    enum class Family { Butterworth, Chebyshev, InverseChebyshev, Bessel, Elliptic };
    enum class Band { Lowpass, Highpass, Bandpass, Bandstop };
    // Where a Bessel prototype has its corner: the -3 dB point (Magnitude), the
    // frequency whose inverse is the group delay at DC (Delay), or the point of half the
    // final phase shift, where Butterworth asymptotes of the order would meet (Phase).
    enum class BesselNorm { Magnitude, Delay, Phase };
    // What makes a request impossible to design; None for a valid one. Unstable: the
    // poles do not all come out stable (IsStable) in double precision, as with very
    // narrow bands at high orders.
    enum class Problem { None, Rate, Order, Corner, SecondCorner, Ripple, Attenuation, Unstable };

    static constexpr int kMaxOrder = 40;
    // Ripples and attenuations beyond this many dB are below what double precision
    // resolves.
    static constexpr double kMaxDecibels = 300.0;

    Family family = Family::Butterworth;
    Band band = Band::Lowpass;
    // Order of the prototype, 1 to kMaxOrder; band types have twice as many roots.
    int order = 4;
    // Corner frequencies in Hz at the sampling rate; corner2 only for the band types.
    // Butterworth corners are -3 dB points, Bessel ones as besselNorm says, Chebyshev and
    // elliptic ones the passband edge, Chebyshev II ones the stopband edge.
    double corner = 1000.0;
    double corner2 = 2000.0;
    double rate = kDefaultSampleRate;
    // Passband ripple (Chebyshev, elliptic) and stopband attenuation (Chebyshev II,
    // elliptic) in dB.
    double rippleDb = 1.0;
    double attenuationDb = 40.0;
    BesselNorm besselNorm = BesselNorm::Magnitude;

    static bool IsBand(Band band) { return band == Band::Bandpass || band == Band::Bandstop; }
    static bool UsesRipple(Family family) {
        return family == Family::Chebyshev || family == Family::Elliptic;
    }
    static bool UsesAttenuation(Family family) {
        return family == Family::InverseChebyshev || family == Family::Elliptic;
    }

    // The first argument that keeps this request from being designed, or Problem::None.
    Problem Check() const;

    // The design in *zpk; anything but Problem::None leaves *zpk untouched.
    Problem Design(Zpk* zpk) const;

private:
    Zpk ZPlaneRoots() const;
};
