#include "response/UnwrappedPhase.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Closer than this to the unit circle a root counts as lying on it, as computed roots
// meant to lie there (a Butterworth design's zeros at -1) miss it by rounding.
constexpr double kOnCircle = 1e-9;

bool OnCircle(FComplex c) {
    return std::fabs(c.Mag() - 1.0) < kOnCircle;
}

} // namespace

// The phase of z - c for z = e^jw, continuous in w. Inside the circle it is w plus the
// phase of 1 - c e^-jw; outside, the phase of -c plus that of 1 - e^jw / c. For a pole
// the phase is taken away, which is adding that of the conjugate factor. On the circle,
// e^jw - e^jt = 2j sin((w - t) / 2) e^j(w + t)/2, whose phase steps by pi where the sine
// changes sign.
UnwrappedPhase::UnwrappedPhase(const Zpk& zpk) : mConstant(zpk.gain < 0.0 ? kPi : 0.0) {
    for (const auto& [roots, sign] : {std::pair{&zpk.zeros, 1.0}, std::pair{&zpk.poles, -1.0}}) {
        for (const FComplex& root : *roots) {
            const std::complex<double> c(root.r, root.i);
            const double size = std::abs(c);
            if (std::fabs(size - 1.0) < kOnCircle) {
                mCircleRoots.push_back({c, std::arg(c), sign});
            } else if (size < 1.0) {
                mOmegaCount += sign;
                mFactors.push_back({sign > 0 ? c : std::conj(c), sign > 0});
            } else {
                mConstant += sign * std::arg(-c);
                mFactors.push_back({sign > 0 ? 1.0 / c : std::conj(1.0 / c), sign < 0});
            }
        }
    }
}

double UnwrappedPhase::At(double omega) const {
    const std::complex<double> z = std::polar(1.0, omega);
    double phase = mConstant + mOmegaCount * omega;
    const auto factor = [z](const Factor& f) {
        return 1.0 - f.u * (f.conjugate ? std::conj(z) : z);
    };
    for (size_t k = 0; k < mFactors.size(); k += 2) {
        const std::complex<double> pair = k + 1 < mFactors.size()
                                              ? factor(mFactors[k]) * factor(mFactors[k + 1])
                                              : factor(mFactors[k]);
        phase += std::arg(pair);
    }
    for (const CircleRoot& r : mCircleRoots) {
        // |e^jw - c| is 2 |sin((w - t) / 2)|; the sine is positive where w - t lies in
        // (0, 2 pi) modulo 4 pi.
        if (std::norm(z - r.c) < 4 * kOnCircle * kOnCircle) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        double turn = std::fmod(omega - r.angle, 4 * kPi);
        if (turn < 0.0) {
            turn += 4 * kPi;
        }
        phase += r.sign * ((omega + r.angle) / 2.0 + (turn < 2 * kPi ? kPi / 2.0 : -kPi / 2.0));
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
