#include "analysis/FFreqResponse.h"

#include "DesignFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(FFreqResponseTest, EmptyBeforeInitialize) {
    FFreqResponse response;
    EXPECT_EQ(response.Scale(), -1.0);
    EXPECT_EQ(response.CpxCount(), 0);
    EXPECT_EQ(response.NormResponse(0), FComplex());
}

TEST(FFreqResponseTest, BadArgumentsKeepThePreviousCache) {
    FNodeList list;
    list.AddNode(PoleAt(0.5, 0));
    FFreqResponse response;
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
        double peak = 0.0;
        for (int k = 0; k <= 255; ++k) {
            const std::complex<double> expected =
                ReferenceH(list, std::polar(1.0, k * 3.141592653589793 / 255));
            const FComplex actual = response.RawResponse(k);
            peak = std::max(peak, std::abs(expected));
            EXPECT_NEAR(actual.r, expected.real(), 1e-9 * std::abs(expected) + 1e-12);
            EXPECT_NEAR(actual.i, expected.imag(), 1e-9 * std::abs(expected) + 1e-12);
        }
        EXPECT_NEAR(response.Scale(), peak, 1e-9 * peak);
        double normPeak = 0.0;
        for (int k = 0; k <= 255; ++k) {
            normPeak = std::max(normPeak, response.NormResponse(k).Mag());
        }
        EXPECT_DOUBLE_EQ(normPeak, 1.0);
    }
}

TEST(FFreqResponseTest, ExactResponseAtTheEnds) {
    FNodeList list;
    list.AddNode(PoleAt(0.3, 0.4, true));
    list.AddNode(ZeroAt(-0.2, 0));
    FFreqResponse response;
    ASSERT_TRUE(response.Initialize(&list, 100));
    EXPECT_EQ(response.ExactResponse(0.0), response.RawResponse(0));
    EXPECT_EQ(response.ExactResponse(kPi), response.RawResponse(100));
}

TEST(FFreqResponseTest, FlatDesignHasUnitNormEverywhere) {
    FNodeList list;
    FFreqResponse response;
    ASSERT_TRUE(response.Initialize(&list, 16));
    EXPECT_EQ(response.Scale(), 1.0);
    for (int k = 0; k <= 16; ++k) {
        EXPECT_DOUBLE_EQ(response.NormResponse(k).Mag(), 1.0);
    }
}

TEST(FFreqResponseTest, ZeroPeakNormalisesToZero) {
    // A pole far outside the circle makes every sample underflow to a zero magnitude;
    // normalising must not divide by that zero peak.
    FNodeList list;
    list.AddNode(PoleAt(1e200, 0));
    FFreqResponse response;
    ASSERT_TRUE(response.Initialize(&list, 8));
    ASSERT_EQ(response.Scale(), 0.0);
    for (int k = 0; k <= 8; ++k) {
        const FComplex v = response.NormResponse(k);
        EXPECT_EQ(v.r, 0.0);
        EXPECT_EQ(v.i, 0.0);
    }
}

TEST(FFreqResponseTest, PointsFileHasOneLinePerSample) {
    TempDir dir;
    FNodeList list;
    list.AddNode(PoleAt(0.5, 0));
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
