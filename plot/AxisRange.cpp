#include "plot/AxisRange.h"

#include <algorithm>
#include <cmath>

AxisRange::AxisRange(double low, double high, bool log)
    : mLow(std::min(low, high)), mHigh(std::max(low, high)), mLog(log) {}

double AxisRange::Coordinate(double value) const {
    return mLog ? std::log10(value) : value;
}

double AxisRange::ValueAt(double coordinate) const {
    return mLog ? std::pow(10.0, coordinate) : coordinate;
}

AxisRange AxisRange::FromCoordinates(double low, double high) const {
    return AxisRange(ValueAt(low), ValueAt(high), mLog);
}

AxisRange AxisRange::ZoomedAbout(double value, double factor) const {
    const double low = Coordinate(mLow);
    const double high = Coordinate(mHigh);
    const double at = Coordinate(value);
    if (!(factor > 0.0) || !std::isfinite(at)) {
        return *this;
    }
    const double newLow = at - (at - low) / factor;
    const double newHigh = at + (high - at) / factor;
    // Closer ends than this no longer map to distinct pixels.
    const double size = std::max({std::fabs(newLow), std::fabs(newHigh), 1e-300});
    if (!(newHigh - newLow > 1e-9 * size) || !std::isfinite(newHigh - newLow)) {
        return *this;
    }
    return FromCoordinates(newLow, newHigh);
}

AxisRange AxisRange::PannedBy(double fraction) const {
    const double low = Coordinate(mLow);
    const double high = Coordinate(mHigh);
    const double shift = fraction * (high - low);
    return FromCoordinates(low + shift, high + shift);
}

AxisRange AxisRange::Within(const AxisRange& full) const {
    const double fullLow = full.Coordinate(full.mLow);
    const double fullHigh = full.Coordinate(full.mHigh);
    double low = full.Coordinate(mLow);
    double high = full.Coordinate(mHigh);
    if (!(high - low < fullHigh - fullLow) || !std::isfinite(low) || !std::isfinite(high)) {
        return full;
    }
    if (low < fullLow) {
        high += fullLow - low;
        low = fullLow;
    } else if (high > fullHigh) {
        low -= high - fullHigh;
        high = fullHigh;
    }
    return full.FromCoordinates(low, high);
}

AxisScale AxisRange::Scale(double pixelLow, double pixelHigh) const {
    return mLog ? AxisScale::Log(mLow, mHigh, pixelLow, pixelHigh)
                : AxisScale::Linear(mLow, mHigh, pixelLow, pixelHigh);
}
