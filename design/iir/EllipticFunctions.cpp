#include "design/iir/EllipticFunctions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double CarlsonRF(double x, double y, double z) {
    // Duplication until the three arguments agree to within the series' reach.
    for (int k = 0; k < 100; ++k) {
        const double mean = (x + y + z) / 3.0;
        const double dx = 1.0 - x / mean;
        const double dy = 1.0 - y / mean;
        const double dz = 1.0 - z / mean;
        if (std::max({std::abs(dx), std::abs(dy), std::abs(dz)}) < 1e-4) {
            const double e2 = dx * dy - dz * dz;
            const double e3 = dx * dy * dz;
            return (1.0 - e2 / 10.0 + e3 / 14.0 + e2 * e2 / 24.0 - 3.0 * e2 * e3 / 44.0) /
                   std::sqrt(mean);
        }
        const double sx = std::sqrt(x);
        const double sy = std::sqrt(y);
        const double sz = std::sqrt(z);
        const double lambda = sx * sy + sx * sz + sy * sz;
        x = (x + lambda) / 4.0;
        y = (y + lambda) / 4.0;
        z = (z + lambda) / 4.0;
    }
    return 1.0 / std::sqrt((x + y + z) / 3.0);
}

double EllipticKFromComplement(double mc) {
    return CarlsonRF(0.0, mc, 1.0);
}

double EllipticFFromComplement(double phi, double mc) {
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    // 1 - m sin^2 = cos^2 + mc sin^2, free of cancellation when m is close to 1.
    return s * CarlsonRF(c * c, c * c + mc * s * s, 1.0);
}

JacobiValues Jacobi(double u, double mc) {
    // Descending Landen transformation by the arithmetic-geometric mean.
    constexpr int kMaxSteps = 16;
    double a[kMaxSteps + 1];
    double c[kMaxSteps + 1];
    a[0] = 1.0;
    double b = std::sqrt(mc);
    c[0] = std::sqrt(1.0 - mc);
    int n = 0;
    while (n < kMaxSteps && std::abs(c[n]) > 1e-17 * a[n]) {
        c[n + 1] = (a[n] - b) / 2.0;
        const double next = std::sqrt(a[n] * b);
        a[n + 1] = (a[n] + b) / 2.0;
        b = next;
        ++n;
    }
    double phi = std::ldexp(a[n] * u, n);
    double previous = phi;
    for (int k = n; k > 0; --k) {
        previous = phi;
        phi = (std::asin(c[k] * std::sin(phi) / a[k]) + phi) / 2.0;
    }
    const double cn = std::cos(phi);
    const double dn = n > 0 ? cn / std::cos(previous - phi) : 1.0;
    return {std::sin(phi), cn, dn};
}

namespace {

// m = 16 q (sum q^(k(k+1)) / (1 + 2 sum q^(k^2)))^4 for a nome q <= e^-pi, where the
// sums converge within a few terms.
double ParameterOfNome(double q) {
    double num = 0.0;
    double den = 1.0;
    for (int k = 0; k < 40; ++k) {
        const double termNum = std::pow(q, k * (k + 1.0));
        const double termDen = k > 0 ? 2.0 * std::pow(q, double(k) * k) : 0.0;
        num += termNum;
        den += termDen;
        if (termNum < 1e-18 * num && k > 0) {
            break;
        }
    }
    const double ratio = num / den;
    return 16.0 * q * ratio * ratio * ratio * ratio;
}

} // namespace

EllipticParameter SolveDegreeEquation(int order, double m1) {
    const double pi = std::numbers::pi;
    // log of the nome of m1, divided by the order: log q = -pi K'/K / N.
    const double logQ =
        -pi * EllipticKFromComplement(m1) / EllipticKFromComplement(1.0 - m1) / order;
    // Of q and its complementary nome (log q' = pi^2 / log q) the smaller one gives a
    // fast series; the other parameter follows as the complement.
    if (logQ <= -pi) {
        const double m = ParameterOfNome(std::exp(logQ));
        return {m, 1.0 - m};
    }
    const double mc = ParameterOfNome(std::exp(pi * pi / logQ));
    return {1.0 - mc, mc};
}
