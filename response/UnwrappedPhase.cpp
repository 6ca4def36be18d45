#include "response/UnwrappedPhase.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

namespace {

// Closer than this to the unit circle a root counts as lying on it, as computed roots
// meant to lie there (a Butterworth design's zeros at -1) miss it by rounding.
constexpr double kOnCircle = 1e-9;

bool OnCircle(FComplex c) {
    return std::fabs(c.Mag() - 1.0) < kOnCircle;
}

// The phase of z - c for z = e^jw, continuous in w. Inside the circle it is w plus the
// phase of 1 - c e^-jw, whose real part stays positive; outside, the phase of -c plus
// that of 1 - e^jw / c, likewise. On the circle, e^jw - e^jt = 2j sin((w - t) / 2)
// e^j(w + t)/2, whose phase steps by pi where the sine changes sign. z is given, as it is
// the same for every root: e^-jw is its conjugate and 1 / c is conj(c) / |c|^2.
double RootPhase(FComplex root, std::complex<double> z, double omega) {
    const std::complex<double> c(root.r, root.i);
    const double size = std::abs(c);
    if (std::fabs(size - 1.0) < kOnCircle) {
        const double t = std::arg(c);
        const double s = std::sin((omega - t) / 2.0);
        if (std::fabs(s) < kOnCircle) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        return (omega + t) / 2.0 + (s > 0.0 ? kPi / 2.0 : -kPi / 2.0);
    }
    if (size < 1.0) {
        return omega + std::arg(1.0 - c * std::conj(z));
    }
    return std::arg(-c) + std::arg(1.0 - z * std::conj(c) / (size * size));
}

} // namespace

double UnwrappedPhase(const Zpk& zpk, double omega) {
    const std::complex<double> z = std::polar(1.0, omega);
    double phase = zpk.gain < 0.0 ? kPi : 0.0;
    for (const FComplex& zero : zpk.zeros) {
        phase += RootPhase(zero, z, omega);
    }
    for (const FComplex& pole : zpk.poles) {
        phase -= RootPhase(pole, z, omega);
    }
    return phase;
}

std::vector<double> PhaseJumps(const Zpk& zpk) {
    std::vector<double> jumps;
    for (const auto* roots : {&zpk.zeros, &zpk.poles}) {
        for (const FComplex& c : *roots) {
            // A real root's mirror image (-1 - 0j) lies at the same angle.
            const double angle = c.i == 0.0 ? std::fabs(c.Phase()) : c.Phase();
            if (OnCircle(c) && angle >= 0.0) {
                jumps.push_back(angle);
            }
        }
    }
    std::sort(jumps.begin(), jumps.end());
    jumps.erase(std::unique(jumps.begin(), jumps.end(),
                            [](double a, double b) { return b - a < kOnCircle; }),
                jumps.end());
    return jumps;
}
