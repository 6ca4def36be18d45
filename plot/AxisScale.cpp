#include "plot/AxisScale.h"

#include <algorithm>
#include <cmath>

AxisScale::AxisScale(double low, double high, double pixelLow, double pixelHigh, bool log)
    : mLow(low), mHigh(high), mPixelLow(pixelLow), mPixelHigh(pixelHigh), mLog(log) {}

AxisScale AxisScale::Linear(double low, double high, double pixelLow, double pixelHigh) {
    return AxisScale(low, high, pixelLow, pixelHigh, false);
}

AxisScale AxisScale::Log(double low, double high, double pixelLow, double pixelHigh) {
    return AxisScale(low, high, pixelLow, pixelHigh, true);
}

// Where value lies along the axis: 0 at low, 1 at high.
double AxisScale::Position(double value) const {
    if (mLog) {
        return std::log10(value / mLow) / std::log10(mHigh / mLow);
    }
    return (value - mLow) / (mHigh - mLow);
}

double AxisScale::ToPixel(double value) const {
    return mPixelLow + Position(value) * (mPixelHigh - mPixelLow);
}

double AxisScale::ToValue(double pixel) const {
    const double t = (pixel - mPixelLow) / (mPixelHigh - mPixelLow);
    if (mLog) {
        return mLow * std::pow(mHigh / mLow, t);
    }
    return mLow + t * (mHigh - mLow);
}

namespace {

// A tick within this fraction of a step beyond an end still counts as inside.
constexpr double kSlack = 1e-9;

// Multiples of the smallest round step (1, 2 or 5 times a power of ten) that gives no
// more than maxTicks ticks between lo and hi.
std::vector<double> RoundTicks(double lo, double hi, int maxTicks) {
    std::vector<double> ticks;
    const double span = hi - lo;
    if (!(span > 0.0) || !std::isfinite(span)) {
        return ticks;
    }
    const double rough = span / (maxTicks - 1);
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10.0 * decade;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= rough * (1 - kSlack)) {
            step = m * decade;
            break;
        }
    }
    const double firstIndex = std::ceil(lo / step - kSlack);
    for (double k = firstIndex; k * step <= hi + kSlack * step; k += 1.0) {
        // k * step rather than a running sum, so that 0 comes out as exactly 0.
        ticks.push_back(k * step);
    }
    return ticks;
}

} // namespace

std::vector<double> AxisScale::Ticks(int maxTicks) const {
    maxTicks = std::max(maxTicks, 2);
    const double lo = std::min(mLow, mHigh);
    const double hi = std::max(mLow, mHigh);
    if (!mLog) {
        return RoundTicks(lo, hi, maxTicks);
    }
    std::vector<double> ticks;
    const int first = static_cast<int>(std::floor(std::log10(lo) + kSlack));
    const int last = static_cast<int>(std::floor(std::log10(hi) + kSlack));
    for (const std::vector<double>& mantissas :
         {std::vector<double>{1, 2, 5}, std::vector<double>{1}}) {
        ticks.clear();
        for (int e = first; e <= last; ++e) {
            for (const double m : mantissas) {
                const double v = m * std::pow(10.0, e);
                if (v >= lo * (1 - kSlack) && v <= hi * (1 + kSlack)) {
                    ticks.push_back(v);
                }
            }
        }
        if (static_cast<int>(ticks.size()) <= maxTicks) {
            break;
        }
    }
    // Zoomed into less than a decade, the few round values of the decade are too far
    // apart; round steps serve there, as the axis is nearly even over so short a span.
    if (ticks.size() < 3 && hi < 10.0 * lo) {
        return RoundTicks(lo, hi, maxTicks);
    }
    return ticks;
}

double AxisScale::Decibels(double magnitude, double peak) {
    return 20.0 * std::log10(magnitude / peak);
}

double AxisScale::DbFloor(double lowestDb) {
    if (std::isnan(lowestDb)) {
        return -20.0;
    }
    const double floor = 20.0 * std::floor(std::min(lowestDb, -1e-9) / 20.0);
    return std::max(floor, -200.0);
}
