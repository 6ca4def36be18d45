#include "filter/WideGain.h"

#include <algorithm>
#include <cmath>
#include <numbers>

WideGain::WideGain(double value) : WideGain(value, 0) {}

WideGain::WideGain(double value, long exponent) {
    int e = 0;
    mMantissa = std::frexp(std::fabs(value), &e);
    mExponent = std::isfinite(value) && value != 0.0 ? exponent + e : 0;
}

bool WideGain::IsInfinite() const {
    return std::isinf(mMantissa);
}

double WideGain::ToDouble() const {
    if (mExponent > 100000) {
        return HUGE_VAL;
    }
    return std::ldexp(mMantissa, static_cast<int>(std::max(mExponent, -100000L)));
}

double WideGain::Log() const {
    return std::log(mMantissa) + static_cast<double>(mExponent) * std::numbers::ln2;
}

double WideGain::ShareOfInverse(int count) const {
    // The exponent's part that divides evenly stays exact; the rest joins the mantissa.
    const long whole = mExponent / count;
    const double rest = static_cast<double>(mExponent - whole * count);
    const double mantissa =
        count == 1 ? 1.0 / mMantissa : std::pow(mMantissa * std::exp2(rest), -1.0 / count);
    return std::ldexp(mantissa, static_cast<int>(-whole));
}

double WideGain::Over(const WideGain& divisor) const {
    const double mantissa = mMantissa / divisor.mMantissa;
    if (mantissa == 0.0 || !std::isfinite(mantissa)) {
        return mantissa;
    }
    // Both mantissas lie in [0.5, 1), so beyond this the quotient is out of range.
    const long exponent = std::clamp(mExponent - divisor.mExponent, -100000L, 100000L);
    return std::ldexp(mantissa, static_cast<int>(exponent));
}

bool operator<(const WideGain& a, const WideGain& b) {
    if (a.mMantissa == 0.0 || b.mMantissa == 0.0 || std::isinf(a.mMantissa) ||
        std::isinf(b.mMantissa) || a.mExponent == b.mExponent) {
        return a.mMantissa < b.mMantissa;
    }
    return a.mExponent < b.mExponent;
}
