#include "response/ResponseMarkers.h"
#include "DesignFixtures.h"
#include "design/iir/FStandardDesign.h"
#include "filter/PeakGain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPiRef = 3.141592653589793;

Zpk Roots(std::vector<FComplex> zeros, std::vector<FComplex> poles) {
    Zpk zpk;
    zpk.zeros = std::move(zeros);
    zpk.poles = std::move(poles);
    return zpk;
}

FComplex Polar(double r, double angle) {
    return FComplex(r * std::cos(angle), r * std::sin(angle));
}

Zpk Butterworth(FStandardDesign::Band band, double corner, double corner2) {
    FStandardDesign request;
    request.band = band;
    request.corner = corner;
    request.corner2 = corner2;
    Zpk zpk;
    EXPECT_EQ(request.Design(&zpk), FStandardDesign::Problem::None);
    return zpk;
}

// Peaks and half-power points against their closed forms: a conjugate pole pair at
// r e^(+-jt) peaks where cos w = (1 + r^2) cos t / (2 r); a single pole at r e^jt peaks
// at t with 1 / (1 - r) and is at half power where cos(w - t) = (1 + r^2 - 2 (1 - r)^2) / 2r;
// a Butterworth design is at half power exactly on its (prewarped) corners.
TEST(ResponseMarkersTest, PeaksAndHalfPowerPointsMatchTheirClosedForms) {
    const double r = 0.9, t = 1.0;
    const double pairPeak = std::acos((1 + r * r) * std::cos(t) / (2 * r));
    const auto pairGain = [&](double w) {
        const std::complex<double> z = std::polar(1.0, w);
        return 1.0 / std::abs((z - std::polar(r, t)) * (z - std::polar(r, -t)));
    };
    const double half = std::acos((1 + 0.99 * 0.99 - 2 * 0.01 * 0.01) / (2 * 0.99));
    using Band = FStandardDesign::Band;
    struct Row {
        const char* name;
        Zpk zpk;
        double peakOmega;
        double peakGain;
        std::vector<double> halfPower;
    };
    const std::vector<Row> rows = {
        {"pole pair", Roots({}, {Polar(r, t), Polar(r, -t)}), pairPeak, pairGain(pairPeak), {}},
        {"single pole", Roots({}, {Polar(0.99, 0.7)}), 0.7, 100.0, {0.7 - half, 0.7 + half}},
        {"pole 1e-6 from the circle", Roots({}, {Polar(1 - 1e-6, 2.0)}), 2.0, 1e6, {}},
        // Maximally flat: where in the passband the peak lies is rounding.
        {"Butterworth lowpass", Butterworth(Band::Lowpass, 1000, 0), NAN, 1.0, {kPiRef / 4}},
        {"Butterworth bandpass",
         Butterworth(Band::Bandpass, 1000, 2000),
         NAN,
         1.0,
         {kPiRef / 4, kPiRef / 2}},
    };
    for (const Row& row : rows) {
        const PeakPoint peak = FindPeak(row.zpk);
        if (!std::isnan(row.peakOmega)) {
            EXPECT_NEAR(peak.omega, row.peakOmega, 1e-7) << row.name;
        }
        EXPECT_NEAR(peak.gain.ToDouble() / row.peakGain, 1.0, 1e-9) << row.name;
        if (row.halfPower.empty()) {
            continue;
        }
        const std::vector<double> points = FindHalfPowerPoints(row.zpk);
        ASSERT_EQ(points.size(), row.halfPower.size()) << row.name;
        for (size_t k = 0; k < points.size(); ++k) {
            EXPECT_NEAR(points[k], row.halfPower[k], 1e-9 * row.halfPower[k]) << row.name;
        }
    }
    // Nothing is at half the power of an infinite peak (a pole on the circle) or of none.
    EXPECT_TRUE(FindHalfPowerPoints(Roots({}, {FComplex(1.0, 0.0)})).empty());
    EXPECT_TRUE(FindPeak(Roots({}, {FComplex(-1.0, 0.0)})).gain.IsInfinite());
    Zpk silent = Roots({}, {});
    silent.gain = 0.0;
    EXPECT_TRUE(FindHalfPowerPoints(silent).empty());
}

// The largest group delay: a single pole at r e^jt delays most at t, by 1 / (1 - r); a
// real pole at 0.5 by 2 samples at 0 Hz; a zero on the circle leaves its angle undefined
// beside the maximum.
TEST(ResponseMarkersTest, DelayPeakIsTheTrueMaximum) {
    struct Row {
        const char* name;
        Zpk zpk;
        double omega;
        double delay;
    };
    const std::vector<Row> rows = {
        {"single pole", Roots({}, {Polar(0.99, 0.7)}), 0.7, 100.0},
        {"real pole", Roots({}, {FComplex(0.5, 0.0)}), 0.0, 2.0},
        {"narrow resonance", Roots({FComplex(-1, 0)}, {Polar(1 - 1e-6, 1.3), FComplex(0.2, 0)}),
         1.3, 1e6},
    };
    for (const Row& row : rows) {
        const DelayPeak peak = FindDelayPeak(row.zpk);
        EXPECT_NEAR(peak.omega, row.omega, 1e-7) << row.name;
        // The pole at 0.2 and the zero add little beside a million samples.
        EXPECT_NEAR(peak.delay / row.delay, 1.0, row.delay > 1e5 ? 1e-5 : 1e-9) << row.name;
    }
}

} // namespace
