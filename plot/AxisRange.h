#pragma once

#include "plot/AxisScale.h"

// The stretch of values an axis shows, from low to high (both above 0 on a log axis),
// and the zoom and pan steps that change it. Every step works on the axis's own scale,
// so that on a log axis equal ratios stay equal distances.
class AxisRange {
public:
    // low and high in either order; log needs both above 0.
    AxisRange(double low, double high, bool log);

    double Low() const { return mLow; }
    double High() const { return mHigh; }
    bool IsLog() const { return mLog; }

    // Zoomed by factor (above 1 magnifies) about value, which keeps its place on the axis.
    // A step that would leave less than a billionth of the values' size keeps the range.
    AxisRange ZoomedAbout(double value, double factor) const;
    // Moved by fraction of its length, toward high for a positive fraction.
    AxisRange PannedBy(double fraction) const;
    // Kept inside full: shifted back in where it sticks out, and no longer than full.
    AxisRange Within(const AxisRange& full) const;
    // The mapping onto pixels from pixelLow (at low) to pixelHigh (at high).
    AxisScale Scale(double pixelLow, double pixelHigh) const;

    friend bool operator==(const AxisRange& a, const AxisRange& b) = default;

private:
    // Where a value lies on the axis's own scale: its logarithm on a log axis.
    double Coordinate(double value) const;
    double ValueAt(double coordinate) const;
    AxisRange FromCoordinates(double low, double high) const;

    double mLow;
    double mHigh;
    bool mLog;
};
