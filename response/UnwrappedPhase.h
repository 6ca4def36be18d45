#pragma once

#include "filter/Zpk.h"

#include <complex>
#include <vector>

// The phase of H(e^jw) as one continuous function of w, computed root by root so that
// it needs no unwrapping of samples: a steep slope is never taken for a jump, and a
// jump is never taken for a slope. Made once for a design, it is then asked at many
// frequencies.
class UnwrappedPhase {
public:
    explicit UnwrappedPhase(const Zpk& zpk);

    // The phase in radians at w radians per sample, continuous in w except where a
    // root lies on the unit circle (within 1e-9), where it jumps by pi and is NaN on the
    // root itself. It equals the phase of H(e^jw) up to a multiple of 2 pi.
    double At(double omega) const;

private:
    // A root off the circle adds the phase of 1 - u z, or of 1 - u conj(z), with |u| < 1,
    // whose real part stays positive: the phase of two such factors' product is their
    // sum, without a wrap.
    struct Factor {
        std::complex<double> u;
        bool conjugate;
    };
    // A root on the circle, at angle t, adds sign * ((w + t) / 2 +- pi / 2).
    struct CircleRoot {
        std::complex<double> c;
        double angle;
        double sign;
    };

    double mConstant = 0.0;
    double mOmegaCount = 0.0;
    std::vector<Factor> mFactors;
    std::vector<CircleRoot> mCircleRoots;
};

// The angles in [0, pi] of the roots on the unit circle, where the phase jumps,
// ascending and each once.
std::vector<double> PhaseJumps(const Zpk& zpk);
