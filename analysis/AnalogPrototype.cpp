#include "analysis/AnalogPrototype.h"

#include "analysis/EllipticFunctions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Cpx = std::complex<double>;
using LongCpx = std::complex<long double>;

constexpr double kPi = std::numbers::pi;

// 10^(dB/10) - 1 without losing the digits of a small ripple.
double PowerRatioMinusOne(double db) {
    return std::expm1(db / 10.0 * std::log(10.0));
}

// Angles pi k / (2 N) for k = -N+1, -N+3, ..., N-1: the Butterworth pole angles
// measured from the negative real axis.
std::vector<double> SymmetricAngles(int order) {
    std::vector<double> angles;
    for (int k = -order + 1; k < order; k += 2) {
        angles.push_back(kPi * k / (2.0 * order));
    }
    return angles;
}

// Coefficients of the reverse Bessel polynomial of the order, coefficient of s^k at
// index k: (2N-k)! / (2^(N-k) k! (N-k)!).
std::vector<long double> ReverseBesselCoefficients(int order) {
    std::vector<long double> c(static_cast<size_t>(order) + 1);
    c[static_cast<size_t>(order)] = 1.0L;
    // c[k-1] / c[k] = k (2N - k + 1) / (2 (N - k + 1)).
    for (int k = order; k > 0; --k) {
        c[static_cast<size_t>(k) - 1] =
            c[static_cast<size_t>(k)] * (2.0L * order - k + 1) * k / (2.0L * (order - k + 1));
    }
    return c;
}

LongCpx Evaluate(const std::vector<long double>& c, LongCpx s, LongCpx* derivative) {
    LongCpx value = 0.0L;
    LongCpx slope = 0.0L;
    for (size_t k = c.size(); k-- > 0;) {
        slope = slope * s + value;
        value = value * s + c[k];
    }
    *derivative = slope;
    return value;
}

// All roots of a real polynomial with simple roots, by Aberth's simultaneous iteration
// in extended precision, then made exactly conjugate-symmetric.
std::vector<LongCpx> PolynomialRoots(const std::vector<long double>& c) {
    const int n = static_cast<int>(c.size()) - 1;
    // Start on a circle of the roots' geometric mean radius, off the real axis.
    const long double radius = std::pow(std::abs(c[0] / c[static_cast<size_t>(n)]), 1.0L / n);
    std::vector<LongCpx> z(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        z[static_cast<size_t>(k)] = std::polar(radius, (2.0L * kPi * k + 0.4L) / n);
    }
    for (int iteration = 0; iteration < 500; ++iteration) {
        long double largestStep = 0.0L;
        for (size_t k = 0; k < z.size(); ++k) {
            LongCpx slope;
            const LongCpx value = Evaluate(c, z[k], &slope);
            if (value == 0.0L) {
                continue;
            }
            const LongCpx ratio = value / slope;
            LongCpx repulsion = 0.0L;
            for (size_t j = 0; j < z.size(); ++j) {
                if (j != k) {
                    repulsion += 1.0L / (z[k] - z[j]);
                }
            }
            const LongCpx step = ratio / (1.0L - ratio * repulsion);
            z[k] -= step;
            largestStep = std::max(largestStep, std::abs(step) / std::abs(z[k]));
        }
        if (largestStep < 1e-19L) {
            break;
        }
    }
    // A real root comes out with a rounding-level imaginary part; the others pair up.
    for (LongCpx& root : z) {
        if (std::abs(root.imag()) < 1e-12L * std::abs(root)) {
            root = root.real();
        }
    }
    return z;
}

} // namespace

AnalogPrototype ButterworthPrototype(int order) {
    AnalogPrototype p;
    for (const double angle : SymmetricAngles(order)) {
        p.poles.push_back(-std::polar(1.0, angle));
    }
    return p;
}

AnalogPrototype ChebyshevPrototype(int order, double rippleDb) {
    const double eps = std::sqrt(PowerRatioMinusOne(rippleDb));
    const double mu = std::asinh(1.0 / eps) / order;
    AnalogPrototype p;
    for (const double angle : SymmetricAngles(order)) {
        p.poles.push_back(-std::sinh(Cpx(mu, angle)));
    }
    return p;
}

AnalogPrototype InverseChebyshevPrototype(int order, double attenuationDb) {
    const double mu = std::asinh(std::sqrt(PowerRatioMinusOne(attenuationDb))) / order;
    AnalogPrototype p;
    for (const double angle : SymmetricAngles(order)) {
        // The middle angle of an odd order has its zero at infinity.
        if (angle != 0.0) {
            p.zeros.push_back(Cpx(0.0, 1.0 / std::sin(angle)));
        }
        const Cpx b = -std::polar(1.0, angle);
        p.poles.push_back(1.0 / Cpx(std::sinh(mu) * b.real(), std::cosh(mu) * b.imag()));
    }
    return p;
}

AnalogPrototype BesselPrototype(int order) {
    const std::vector<long double> c = ReverseBesselCoefficients(order);
    const std::vector<LongCpx> roots = PolynomialRoots(c);
    // The -3 dB point w solves sum log|jw - p|^2 = log(2 c0^2); the left side rises
    // with w, so bracket it and refine by Newton's method kept inside the bracket.
    const auto excess = [&roots, &c](long double w, long double* slope) {
        long double sum = -std::log(2.0L * c[0] * c[0]);
        *slope = 0.0L;
        for (const LongCpx& p : roots) {
            const long double re = p.real();
            const long double im = w - p.imag();
            const long double mag2 = re * re + im * im;
            sum += std::log(mag2);
            *slope += 2.0L * im / mag2;
        }
        return sum;
    };
    long double low = 0.0L;
    long double high = 1.0L;
    long double slope = 0.0L;
    while (excess(high, &slope) < 0.0L) {
        low = high;
        high *= 2.0L;
    }
    long double w = (low + high) / 2.0L;
    for (int iteration = 0; iteration < 200; ++iteration) {
        const long double value = excess(w, &slope);
        if (value < 0.0L) {
            low = w;
        } else {
            high = w;
        }
        long double next = w - value / slope;
        if (!(next > low && next < high)) {
            next = (low + high) / 2.0L;
        }
        if (std::abs(next - w) <= 1e-19L * w) {
            w = next;
            break;
        }
        w = next;
    }
    AnalogPrototype p;
    for (const LongCpx& root : roots) {
        p.poles.push_back(
            Cpx(static_cast<double>(root.real() / w), static_cast<double>(root.imag() / w)));
    }
    return p;
}

AnalogPrototype EllipticPrototype(int order, double rippleDb, double attenuationDb) {
    const double epsSq = PowerRatioMinusOne(rippleDb);
    const double eps = std::sqrt(epsSq);
    // The discrimination parameter m1 = (eps_p / eps_s)^2.
    const double m1 = epsSq / PowerRatioMinusOne(attenuationDb);
    const EllipticParameter m = SolveDegreeEquation(order, m1);
    const double bigK = EllipticKFromComplement(m.mc);
    // v0 solves sc(v0 K1 N / K, 1 - m1) = 1 / eps; sc(u | m') = tan(amplitude).
    const double r = EllipticFFromComplement(std::atan(1.0 / eps), m1);
    const double v0 = bigK * r / (order * EllipticKFromComplement(1.0 - m1));
    const JacobiValues v = Jacobi(v0, m.m);
    AnalogPrototype p;
    for (int j = 1 - order % 2; j < order; j += 2) {
        const JacobiValues u = Jacobi(j * bigK / order, m.mc);
        if (j != 0) {
            const double zero = 1.0 / (std::sqrt(m.m) * u.sn);
            p.zeros.push_back(Cpx(0.0, zero));
            p.zeros.push_back(Cpx(0.0, -zero));
        }
        // sn of a complex argument by the addition theorem gives the pole.
        const double den = 1.0 - (u.dn * v.sn) * (u.dn * v.sn);
        const Cpx pole(-u.cn * u.dn * v.sn * v.cn / den, -u.sn * v.dn / den);
        p.poles.push_back(pole);
        if (j != 0) {
            p.poles.push_back(std::conj(pole));
        }
    }
    return p;
}
