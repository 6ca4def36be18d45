#pragma once

#include "filter/Zpk.h"

#include <complex>
#include <vector>

// The group delay of a design, -d(phase of H(e^jw))/dw in samples, computed exactly
// from its roots: each root c adds Re(e^jw / (e^jw - c)), a pole with a plus sign and
// a zero with a minus sign. No phase is differentiated or unwrapped.
class FGroupDelay {
public:
    // Takes the roots of zpk; its gain does not change the delay.
    void Initialize(const Zpk& zpk);
    // The delay in samples at w radians per sample. NaN where w falls on a root on the
    // unit circle, where the delay is undefined.
    double At(double omega) const;
    // The delay at resolution + 1 evenly spaced angles from 0 to pi, both ends included;
    // empty for a resolution below 1.
    std::vector<double> Sampled(int resolution) const;

private:
    std::vector<std::complex<double>> mPoles;
    std::vector<std::complex<double>> mZeros;
};
