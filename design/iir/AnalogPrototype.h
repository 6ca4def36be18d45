#pragma once

#include <complex>
#include <vector>

// Analog lowpass prototypes of the classical filter families, with their corner at
// 1 rad/s: every root of the prototype, conjugates included, in the s-plane.
struct AnalogPrototype {
    std::vector<std::complex<double>> zeros;
    std::vector<std::complex<double>> poles;
};

// Butterworth: the corner is the -3 dB point.
AnalogPrototype ButterworthPrototype(int order);
// Chebyshev type I: ripple of rippleDb in the passband, which ends at the corner.
AnalogPrototype ChebyshevPrototype(int order, double rippleDb);
// Chebyshev type II: the stopband, attenuated by at least attenuationDb, starts at the
// corner.
AnalogPrototype InverseChebyshevPrototype(int order, double attenuationDb);
// Bessel, scaled so that the corner is the -3 dB point.
AnalogPrototype BesselPrototype(int order);
// Bessel with a group delay of 1 s at DC: the roots of the reverse Bessel polynomial.
AnalogPrototype BesselDelayPrototype(int order);
// Bessel whose phase reaches half its final shift at the corner: the roots scaled to a
// product of 1, so that the magnitude's asymptote is the Butterworth one.
AnalogPrototype BesselPhasePrototype(int order);
// Elliptic: rippleDb in the passband, which ends at the corner, and at least
// attenuationDb in the stopband.
AnalogPrototype EllipticPrototype(int order, double rippleDb, double attenuationDb);
