#include "analysis/FFreqResponse.h"

#include "DesignFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(FFreqResponseTest, EmptyUntilInitializedAndBadArgumentsKeepThePreviousCache) {
    FFreqResponse response;
    EXPECT_EQ(response.Scale(), -1.0);
    EXPECT_EQ(response.CpxCount(), 0);
    EXPECT_EQ(response.NormResponse(0), FComplex());
    const FNodeList list = Design({PoleAt(0.5, 0)});
    ASSERT_TRUE(response.Initialize(&list, 1));
    EXPECT_EQ(response.CpxCount(), 2);
    const double scale = response.Scale();
    EXPECT_FALSE(response.Initialize(&list, 0));
    EXPECT_FALSE(response.Initialize(&list, -5));
    EXPECT_FALSE(response.Initialize(nullptr, 10));
    EXPECT_EQ(response.CpxCount(), 2);
    EXPECT_EQ(response.Scale(), scale);
    EXPECT_EQ(response.NormResponse(-1), FComplex());
    EXPECT_EQ(response.NormResponse(2), FComplex());
}

TEST(FFreqResponseTest, SamplesMatchTheRootProductAndPeakNormalisesToOne) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 30; ++trial) {
        const FNodeList list = RandomDesign(rng, 24, false);
        FFreqResponse response;
        ASSERT_TRUE(response.Initialize(&list, 255));
        ASSERT_EQ(response.CpxCount(), 256);
        const auto expectH = [&list](FComplex actual, double omega) {
            const std::complex<double> expected = ReferenceH(list, std::polar(1.0, omega));
            EXPECT_NEAR(actual.r, expected.real(), 1e-9 * std::abs(expected) + 1e-12);
            EXPECT_NEAR(actual.i, expected.imag(), 1e-9 * std::abs(expected) + 1e-12);
            return std::abs(expected);
        };
        double peak = 0.0;
        double normPeak = 0.0;
        for (int k = 0; k <= 255; ++k) {
            peak = std::max(peak, expectH(response.RawResponse(k), k * kPi / 255));
            normPeak = std::max(normPeak, response.NormResponse(k).Mag());
        }
        EXPECT_NEAR(response.Scale(), peak, 1e-9 * peak);
        EXPECT_DOUBLE_EQ(normPeak, 1.0);
        expectH(response.ExactResponse(1.2345), 1.2345);
    }
}

TEST(FFreqResponseTest, FlatDesignHasUnitNormAndAZeroPeakNormalisesToZero) {
    const FNodeList flat;
    FFreqResponse response;
    ASSERT_TRUE(response.Initialize(&flat, 16));
    EXPECT_EQ(response.Scale(), 1.0);
    for (int k = 0; k <= 16; ++k) {
        EXPECT_DOUBLE_EQ(response.NormResponse(k).Mag(), 1.0);
    }
    // A pole far outside the circle makes every sample underflow to a zero magnitude;
    // normalising must not divide by that zero peak.
    const FNodeList far = Design({PoleAt(1e200, 0)});
    ASSERT_TRUE(response.Initialize(&far, 8));
    ASSERT_EQ(response.Scale(), 0.0);
    for (int k = 0; k <= 8; ++k) {
        EXPECT_EQ(response.NormResponse(k).r, 0.0);
        EXPECT_EQ(response.NormResponse(k).i, 0.0);
    }
}

TEST(FFreqResponseTest, PointsFileHasOneLinePerSample) {
    TempDir dir;
    const FNodeList list = Design({PoleAt(0.5, 0)});
    FFreqResponse response;
    ASSERT_TRUE(response.Initialize(&list, 100));
    ASSERT_TRUE(response.PrintToFile(dir.File("f.pts").c_str()));
    const std::string text = ReadFileBytes(dir.File("f.pts"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 101);
    EXPECT_EQ(text.substr(0, text.find('\n')), "+2.00000000000000000000+0.00000000000000000000j");
    EXPECT_FALSE(response.PrintToFile(dir.File("no/such/dir.pts").c_str()));
    EXPECT_FALSE(response.PrintToFile(nullptr));
}

} // namespace
