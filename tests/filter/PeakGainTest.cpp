#include "filter/PeakGain.h"
#include "response/FFreqResponse.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(PeakGainTest, ResonatorsReachTheirAnalyticPeakAndNoSampleExceedsIt) {
    // One conjugate pole pair r e^{+-jt}: the peak lies where cos w = (1 + r^2) cos t / 2r
    // and is 1 / ((1 - r^2) sin t); when that cosine is out of range, it is at w = 0.
    const double rows[][2] = {{0.9, 1.0},       {0.99, 0.5}, {0.9999, 2.0},
                              {0.999999, 0.01}, {0.5, 0.3},  {0.95, 3.1}};
    for (const auto& row : rows) {
        const double r = row[0];
        const double t = row[1];
        const double c = (1 + r * r) * std::cos(t) / (2 * r);
        const double expected = std::fabs(c) <= 1.0
                                    ? 1.0 / ((1 - r * r) * std::sin(t))
                                    : 1.0 / (1 - 2 * r * std::cos(t) * (c > 0 ? 1 : -1) + r * r);
        const FNodeList list = Design({PoleAt(r * std::cos(t), r * std::sin(t), true)});
        EXPECT_NEAR(TruePeakGain(Zpk::FromNodeList(list)), expected, 1e-9 * expected)
            << r << " " << t;
    }
    for (const FNodeList& list : HardDesigns()) {
        const double peak = TruePeakGain(Zpk::FromNodeList(list));
        for (int k = 0; k <= 20000; ++k) {
            ASSERT_LE(std::abs(ReferenceHLong(list, k * kPi / 20000)), peak * (1 + 1e-12)) << k;
        }
    }
    EXPECT_EQ(TruePeakGain(Zpk::FromNodeList(Design({PoleAt(-1, 0)}))),
              std::numeric_limits<double>::infinity());
    EXPECT_NEAR(TruePeakGain(Zpk::FromNodeList(Design({PoleAt(1e200, 0)}))), 1e-200, 1e-214);
    // Forty pole pairs 1e-11 from the circle at j: a peak of about 1e428, beyond a double.
    const double d = 1.0 - (1.0 - 1e-11);
    Zpk narrow;
    for (int k = 0; k < 40; ++k) {
        narrow.poles.push_back(FComplex(0, 1 - d));
        narrow.poles.push_back(FComplex(0, -1 + d));
    }
    EXPECT_NEAR(WidePeakGain(narrow).Log(), -40 * std::log(d * (2 - d)), 1e-9);
    EXPECT_EQ(TruePeakGain(narrow), std::numeric_limits<double>::infinity());
}

} // namespace
