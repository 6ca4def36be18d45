#include "core/FComplex.h"

#include "core/ScopedCLocale.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr double kEqualityTolerance = 0.000001;

// Both 'i' and 'j' name the imaginary unit; the scan patterns only know 'j'.
std::string WithJUnit(const char* text) {
    std::string copy(text);
    for (char& c : copy) {
        if (c == 'i') {
            c = 'j';
        }
    }
    return copy;
}

bool ScanCartesian(const char* text, double* real, double* imag) {
    double a = 0.0;
    double b = 0.0;
    char unit = 0;
    // Each pattern names which scanned number is the real part; the first that
    // scans completely decides.
    if (std::sscanf(text, "%le + %le%c", &a, &b, &unit) == 3 && unit == 'j') {
        *real = a;
        *imag = b;
        return true;
    }
    if (std::sscanf(text, "%le%c + %le", &b, &unit, &a) == 3 && unit == 'j') {
        *real = a;
        *imag = b;
        return true;
    }
    if (std::sscanf(text, "%le - %le%c", &a, &b, &unit) == 3 && unit == 'j') {
        *real = a;
        *imag = b * -1.0;
        return true;
    }
    if (std::sscanf(text, "%le%c - %le", &b, &unit, &a) == 3 && unit == 'j') {
        *real = a * -1.0;
        *imag = b;
        return true;
    }
    if (std::sscanf(text, "%le %le%c", &a, &b, &unit) == 3 && unit == 'j') {
        *real = a;
        *imag = b;
        return true;
    }
    if (std::sscanf(text, "%le%c %le", &b, &unit, &a) == 3 && unit == 'j') {
        *real = a;
        *imag = b;
        return true;
    }
    if (std::sscanf(text, "%le%c", &b, &unit) == 2 && unit == 'j') {
        *real = 0.0;
        *imag = b;
        return true;
    }
    if (std::sscanf(text, "%le", &a) == 1) {
        *real = a;
        *imag = 0.0;
        return true;
    }
    return false;
}

bool ScanPolar(const char* text, double* mag, double* angle) {
    char unitWord[4] = {};
    for (const char* pattern : {"%le %le %3s", "%le , %le %3s", "%le < %le %3s"}) {
        if (std::sscanf(text, pattern, mag, angle, unitWord) >= 2) {
            return true;
        }
    }
    return false;
}

} // namespace

void FComplex::SetByRadian(double mag, double angle) {
    r = std::cos(angle) * mag;
    i = std::sin(angle) * mag;
}

FComplex& FComplex::operator/=(FComplex b) {
    const double d = b.i * b.i + b.r * b.r;
    const double real = (b.i * i + b.r * r) / d;
    const double imag = (b.r * i - b.i * r) / d;
    r = real;
    i = imag;
    return *this;
}

FComplex& FComplex::operator/=(double d) {
    if (d != 0.0) {
        r /= d;
        i /= d;
    }
    return *this;
}

double FComplex::Mag() const {
    return std::sqrt(i * i + r * r);
}

double FComplex::Phase() const {
    if (r == 0.0) {
        if (i > 0.0) {
            return kHalfPi;
        }
        return i < 0.0 ? -kHalfPi : 0.0;
    }
    if (i == 0.0) {
        return r > 0.0 ? 0.0 : kPi;
    }
    const double a = std::atan(std::fabs(i) / std::fabs(r));
    if (r > 0.0) {
        return i > 0.0 ? a : a * -1.0;
    }
    return i > 0.0 ? kPi - a : a + (-kPi);
}

double FComplex::MagDifference(FComplex b) const {
    const double dr = r - b.r;
    const double di = i - b.i;
    return std::sqrt(dr * dr + di * di);
}

bool FComplex::IsFinite() const {
    return std::isfinite(r) && std::isfinite(i);
}

bool FComplex::IsValidCpxString(const char* text, FComplex* result) {
    if (text == nullptr) {
        return false;
    }
    const std::string copy = WithJUnit(text);
    double real = 0.0;
    double imag = 0.0;
    bool scanned = false;
    {
        ScopedCLocale cLocale;
        scanned = ScanCartesian(copy.c_str(), &real, &imag);
    }
    // A node holding inf or NaN could never be found again by equality.
    if (!scanned || !std::isfinite(real) || !std::isfinite(imag)) {
        return false;
    }
    if (result != nullptr) {
        result->SetValue(real, imag);
    }
    return true;
}

bool FComplex::IsValidPolarString(const char* text, FComplex* result, bool radians) {
    if (text == nullptr) {
        return false;
    }
    const std::string copy = WithJUnit(text);
    double mag = 0.0;
    double angle = 0.0;
    bool scanned = false;
    {
        ScopedCLocale cLocale;
        scanned = ScanPolar(copy.c_str(), &mag, &angle);
    }
    if (!scanned) {
        return false;
    }
    if (!radians) {
        angle = angle * 3.141592653589793 / 180.0;
    }
    FComplex value;
    value.SetByRadian(mag, angle);
    if (!std::isfinite(mag) || !std::isfinite(angle) || !value.IsFinite()) {
        return false;
    }
    if (result != nullptr) {
        *result = value;
    }
    return true;
}

FComplex operator/(FComplex a, FComplex b) {
    return a /= b;
}
FComplex operator/(FComplex a, double d) {
    return a /= d;
}

bool operator==(FComplex a, FComplex b) {
    return std::fabs(a.r - b.r) < kEqualityTolerance && std::fabs(a.i - b.i) < kEqualityTolerance;
}
