#include "response/FGroupDelay.h"

#include "core/FComplex.h"

#include <cmath>
#include <limits>

namespace {

// Closer than this to a root, e^jw counts as lying on it: the cosine and sine of a
// grid angle carry rounding error of about 1e-16, which would otherwise turn an
// undefined delay into a huge finite one.
constexpr double kOnRoot = 1e-9;

std::vector<std::complex<double>> AsComplex(const std::vector<FComplex>& roots) {
    std::vector<std::complex<double>> out;
    out.reserve(roots.size());
    for (const FComplex c : roots) {
        out.emplace_back(c.r, c.i);
    }
    return out;
}

} // namespace

void FGroupDelay::Initialize(const Zpk& zpk) {
    mPoles = AsComplex(zpk.poles);
    mZeros = AsComplex(zpk.zeros);
}

double FGroupDelay::At(double omega) const {
    const std::complex<double> z = std::polar(1.0, omega);
    double delay = 0.0;
    for (const auto* roots : {&mPoles, &mZeros}) {
        const double sign = roots == &mPoles ? 1.0 : -1.0;
        for (const std::complex<double>& c : *roots) {
            const std::complex<double> d = z - c;
            if (std::abs(d) < kOnRoot) {
                return std::numeric_limits<double>::quiet_NaN();
            }
            delay += sign * (z / d).real();
        }
    }
    return delay;
}

std::vector<double> FGroupDelay::Sampled(int resolution) const {
    std::vector<double> delays;
    if (resolution < 1) {
        return delays;
    }
    delays.reserve(static_cast<size_t>(resolution) + 1);
    for (int i = 0; i <= resolution; ++i) {
        delays.push_back(At(i * kPi / resolution));
    }
    return delays;
}
