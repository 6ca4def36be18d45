#pragma once

#include <vector>

// Maps the values of one graph axis to pixel positions and back, on a linear or a
// base-10 logarithmic scale, and picks round values to put ticks at. Pixels are
// fractional; the caller rounds them.
class AxisScale {
public:
    // Value low lies at pixelLow and high at pixelHigh; the pixels may run either way
    // (a vertical axis grows upwards). low must differ from high.
    static AxisScale Linear(double low, double high, double pixelLow, double pixelHigh);
    // As Linear, with equal ratios at equal distances; needs 0 < low < high.
    static AxisScale Log(double low, double high, double pixelLow, double pixelHigh);

    double ToPixel(double value) const;
    double ToValue(double pixel) const;

    // Ticks between low and high inclusive, at most maxTicks (at least 2 are given
    // when the range holds them): multiples of 1, 2 or 5 times a power of ten on a
    // linear scale; 1, 2 and 5 in each decade on a log scale, or the decades alone
    // when those are too many, or round steps as on a linear scale when less than a
    // decade gives fewer than three.
    std::vector<double> Ticks(int maxTicks) const;

    double Low() const { return mLow; }
    double High() const { return mHigh; }
    bool IsLog() const { return mLog; }

    // 20 log10(magnitude / peak); -infinity for a magnitude of 0.
    static double Decibels(double magnitude, double peak);
    // The bottom of a dB axis whose lowest value is lowestDb: the first multiple of
    // 20 dB below it, at least 20 dB under 0 dB and never under -200 dB.
    static double DbFloor(double lowestDb);

private:
    AxisScale(double low, double high, double pixelLow, double pixelHigh, bool log);
    double Position(double value) const;

    double mLow;
    double mHigh;
    double mPixelLow;
    double mPixelHigh;
    bool mLog;
};
