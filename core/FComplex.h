#pragma once

// A complex number of two doubles: every pole, zero, polynomial coefficient and
// response sample in the program is one of these. Equality is approximate (1e-6 per
// part) so that nodes can be found again after a round trip through text.
class FComplex {
public:
    double r = 0.0;
    double i = 0.0;

    constexpr FComplex() = default;
    constexpr FComplex(double real, double imag) : r(real), i(imag) {}

    void SetValue(double real, double imag) {
        r = real;
        i = imag;
    }
    // Angle in radians.
    void SetByRadian(double mag, double angle);

    FComplex& operator+=(FComplex b) {
        r += b.r;
        i += b.i;
        return *this;
    }
    FComplex& operator*=(FComplex b) {
        const double real = r * b.r - i * b.i;
        i = r * b.i + i * b.r;
        r = real;
        return *this;
    }
    FComplex& operator*=(double d) {
        r *= d;
        i *= d;
        return *this;
    }
    // Division by a zero FComplex yields non-finite parts.
    FComplex& operator/=(FComplex b);
    // Division by exactly 0.0 leaves the value unchanged.
    FComplex& operator/=(double d);

    double Mag() const;
    // Angle in (-pi, pi]; the negative real axis gives +pi.
    double Phase() const;
    FComplex Conj() const { return FComplex(r, i * -1.0); }
    // Euclidean distance to b.
    double MagDifference(FComplex b) const;
    bool IsFinite() const;

    // Cartesian text such as "2 + 3j", "3j - 2", "-3i" or "5". On success stores the
    // value through result (when not null) and returns true; rejects null text, text
    // that does not begin with a number and any non-finite value.
    static bool IsValidCpxString(const char* text, FComplex* result);
    // Polar text "mag angle", "mag, angle" or "mag < angle", with an optional unit
    // word that is ignored; the angle is in radians when radians is true, else in
    // degrees. Same result rules as IsValidCpxString.
    static bool IsValidPolarString(const char* text, FComplex* result, bool radians);
};

inline FComplex operator*(FComplex a, FComplex b) {
    return a *= b;
}
inline FComplex operator*(double d, FComplex a) {
    return a *= d;
}
inline FComplex operator*(FComplex a, double d) {
    return a *= d;
}
FComplex operator/(FComplex a, FComplex b);
FComplex operator/(FComplex a, double d);
// True when both parts differ by strictly less than 1e-6.
bool operator==(FComplex a, FComplex b);

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kHalfPi = 1.5707963267948966;
