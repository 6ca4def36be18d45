#pragma once

#include <cmath>
#include <complex>

// A double-double number: the unevaluated sum hi + lo, good to about 32 digits. Used
// where a polynomial's value is the difference of much larger terms, to find its roots
// to full double precision.
struct DoubleDouble {
    double hi = 0.0;
    double lo = 0.0;
};

inline DoubleDouble QuickTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

inline DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

inline DoubleDouble TwoProduct(double a, double b) {
    const double p = a * b;
    return {p, std::fma(a, b, -p)};
}

inline DoubleDouble operator+(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = TwoSum(a.hi, b.hi);
    return QuickTwoSum(s.hi, s.lo + a.lo + b.lo);
}

inline DoubleDouble operator-(DoubleDouble a, DoubleDouble b) {
    return a + DoubleDouble{-b.hi, -b.lo};
}

inline DoubleDouble operator*(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = TwoProduct(a.hi, b.hi);
    return QuickTwoSum(p.hi, p.lo + a.hi * b.lo + a.lo * b.hi);
}

// a / d for a double d, good to the precision of a.
inline DoubleDouble Divided(DoubleDouble a, double d) {
    const double q = a.hi / d;
    const DoubleDouble back = TwoProduct(q, d);
    return QuickTwoSum(q, ((a.hi - back.hi) - back.lo + a.lo) / d);
}

// A complex number of two double-doubles.
struct DoubleDoubleComplex {
    DoubleDouble re;
    DoubleDouble im;

    static DoubleDoubleComplex From(std::complex<double> z) {
        return {{z.real(), 0.0}, {z.imag(), 0.0}};
    }
    std::complex<double> ToComplex() const { return {re.hi + re.lo, im.hi + im.lo}; }
};

inline DoubleDoubleComplex operator*(DoubleDoubleComplex a, DoubleDoubleComplex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

inline DoubleDoubleComplex operator+(DoubleDoubleComplex a, DoubleDoubleComplex b) {
    return {a.re + b.re, a.im + b.im};
}

inline DoubleDoubleComplex Scaled(DoubleDoubleComplex a, double k) {
    return {a.re * DoubleDouble{k, 0.0}, a.im * DoubleDouble{k, 0.0}};
}
