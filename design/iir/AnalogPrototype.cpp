#include "design/iir/AnalogPrototype.h"

#include "core/DoubleDouble.h"
#include "design/iir/EllipticFunctions.h"
#include "filter/PolynomialRoots.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Cpx = std::complex<double>;

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

// The coefficients of the reverse Bessel polynomial theta_N(s), of s^0 to s^N:
// a_N = 1 and a_k = a_(k+1) (2N - k)(k + 1) / (2 (N - k)), so a_0 = (2N)! / (2^N N!).
std::vector<DoubleDouble> ReverseBesselCoefficients(int order) {
    std::vector<DoubleDouble> a(static_cast<size_t>(order) + 1, DoubleDouble{1.0, 0.0});
    for (int k = order - 1; k >= 0; --k) {
        const DoubleDouble next =
            a[static_cast<size_t>(k) + 1] * DoubleDouble{(2.0 * order - k) * (k + 1), 0.0};
        a[static_cast<size_t>(k)] = Divided(next, 2.0 * (order - k));
    }
    return a;
}

// theta_N at s and its derivative by Horner's rule over its coefficients a. (The
// three-term recurrence of the Bessel polynomials amplifies rounding near the roots of
// high orders beyond what even double-double precision holds; Horner's rule does not.)
Cpx ReverseBessel(const std::vector<DoubleDouble>& a, Cpx s, Cpx* derivative) {
    const DoubleDoubleComplex wideS = DoubleDoubleComplex::From(s);
    DoubleDoubleComplex value{a.back(), {0.0, 0.0}};
    DoubleDoubleComplex slope{{0.0, 0.0}, {0.0, 0.0}};
    for (size_t k = a.size() - 1; k-- > 0;) {
        slope = slope * wideS + value;
        value = value * wideS + DoubleDoubleComplex{a[k], {0.0, 0.0}};
    }
    *derivative = slope.ToComplex();
    return value.ToComplex();
}

// log theta(0) of the reverse Bessel polynomial: log((2N)! / (2^N N!)).
double LogReverseBesselAtZero(int order) {
    double sum = 0.0;
    for (int k = 1; k <= order; ++k) {
        sum += std::log((order + k) / 2.0);
    }
    return sum;
}

// The roots of the reverse Bessel polynomial by Aberth's simultaneous iteration.
std::vector<Cpx> ReverseBesselRoots(int order) {
    // Start on the circle of the roots' geometric mean radius, off the real axis so
    // that no two estimates are conjugate.
    const double radius = std::exp(LogReverseBesselAtZero(order) / order);
    const std::vector<DoubleDouble> coefficients = ReverseBesselCoefficients(order);
    std::vector<Cpx> start;
    for (int k = 0; k < order; ++k) {
        start.push_back(std::polar(radius, (2.0 * kPi * k + 0.4) / order));
    }
    std::vector<Cpx> z = AberthRoots(start, [&coefficients](Cpx s) {
        Cpx slope;
        const Cpx value = ReverseBessel(coefficients, s, &slope);
        return value == 0.0 ? Cpx(0.0) : value / slope;
    });
    // A real root comes out with a rounding-level imaginary part.
    for (Cpx& root : z) {
        if (std::abs(root.imag()) < 1e-12 * std::abs(root)) {
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
    const std::vector<Cpx> roots = ReverseBesselRoots(order);
    // The -3 dB point w solves sum log|jw - p|^2 = log(2 theta(0)^2); the left side
    // rises with w, so bracket it and refine by Newton's method kept inside the bracket.
    const double target = std::log(2.0) + 2.0 * LogReverseBesselAtZero(order);
    const auto excess = [&roots, target](double w, double* slope) {
        double sum = -target;
        *slope = 0.0;
        for (const Cpx p : roots) {
            const double im = w - p.imag();
            const double mag2 = p.real() * p.real() + im * im;
            sum += std::log(mag2);
            *slope += 2.0 * im / mag2;
        }
        return sum;
    };
    double low = 0.0;
    double high = 1.0;
    double slope = 0.0;
    while (excess(high, &slope) < 0.0) {
        low = high;
        high *= 2.0;
    }
    double w = (low + high) / 2.0;
    for (int iteration = 0; iteration < 100; ++iteration) {
        const double value = excess(w, &slope);
        (value < 0.0 ? low : high) = w;
        double next = w - value / slope;
        if (!(next > low && next < high)) {
            next = (low + high) / 2.0;
        }
        const bool done = std::abs(next - w) <= 1e-15 * w;
        w = next;
        if (done) {
            break;
        }
    }
    AnalogPrototype p;
    for (const Cpx root : roots) {
        p.poles.push_back(root / w);
    }
    return p;
}

AnalogPrototype BesselDelayPrototype(int order) {
    AnalogPrototype p;
    p.poles = ReverseBesselRoots(order);
    return p;
}

AnalogPrototype BesselPhasePrototype(int order) {
    // The polynomial is monic, so its roots multiply to theta(0) in size.
    const double scale = std::exp(-LogReverseBesselAtZero(order) / order);
    AnalogPrototype p;
    for (const Cpx root : ReverseBesselRoots(order)) {
        p.poles.push_back(root * scale);
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
