#include "response/FFreqResponse.h"

#include "DesignFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(FFreqResponseTest, EmptyUntilInitializedAndBadArgumentsKeepThePreviousCache) {
    FFreqResponse response;
    EXPECT_EQ(response.Scale(), -1.0);
    EXPECT_EQ(response.CpxCount(), 0);
    EXPECT_EQ(response.NormResponse(0), FComplex());
    const FNodeList list = Design({PoleAt(0.5, 0)});
    ASSERT_TRUE(response.Initialize(Zpk::FromNodeList(list), 1));
    EXPECT_EQ(response.CpxCount(), 2);
    const double scale = response.Scale();
    EXPECT_FALSE(response.Initialize(Zpk::FromNodeList(list), 0));
    EXPECT_FALSE(response.Initialize(Zpk::FromNodeList(list), -5));
    EXPECT_EQ(response.CpxCount(), 2);
    EXPECT_EQ(response.Scale(), scale);
    EXPECT_EQ(response.NormResponse(-1), FComplex());
    EXPECT_EQ(response.NormResponse(2), FComplex());
}

TEST(FFreqResponseTest, SamplesMatchTheLongDoubleRootProductToTheirPeak) {
    std::mt19937 rng(11);
    std::vector<FNodeList> designs = HardDesigns();
    for (int trial = 0; trial < 10; ++trial) {
        designs.push_back(RandomDesign(rng, 24, false));
    }
    for (const FNodeList& list : designs) {
        FFreqResponse response;
        ASSERT_TRUE(response.Initialize(Zpk::FromNodeList(list), 255));
        ASSERT_EQ(response.CpxCount(), 256);
        std::vector<std::complex<long double>> expected;
        long double peak = 0.0L;
        for (int k = 0; k <= 255; ++k) {
            expected.push_back(ReferenceHLong(list, k * kPi / 255));
            peak = std::max(peak, std::abs(expected.back()));
        }
        double normPeak = 0.0;
        for (int k = 0; k <= 255; ++k) {
            const FComplex h = response.RawResponse(k);
            EXPECT_LE(std::abs(std::complex<long double>(h.r, h.i) - expected[k]), 1e-13L * peak);
            normPeak = std::max(normPeak, response.NormResponse(k).Mag());
        }
        EXPECT_NEAR(response.Scale(), static_cast<double>(peak), 1e-13 * static_cast<double>(peak));
        EXPECT_DOUBLE_EQ(normPeak, 1.0);
    }
}

TEST(FFreqResponseTest, ZeroOnTheCircleIsZeroPoleIsInfiniteAndTheyCancel) {
    struct Row {
        FNodeList design;
        double dc;
        double normDc;
        // Beside an infinite or zero peak every finite sample normalises to 0.
        bool othersNormaliseToZero;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {Design({ZeroAt(1, 0), PoleAt(0.5, 0)}), 0.0, 0.0, false},
        {Design({PoleAt(1, 0), ZeroAt(-1, 0)}), inf, 1.0, true},
        {Design({PoleAt(1, 0), ZeroAt(1, 0), PoleAt(0.5, 0)}), 2.0, 1.0, false},
        {Design({PoleAt(1, 0, true), ZeroAt(1, 0)}), inf, 1.0, true},
        // Every sample underflows to 0.
        {Design({PoleAt(1e200, 0)}), 0.0, 0.0, true},
    };
    for (const Row& row : rows) {
        FFreqResponse response;
        ASSERT_TRUE(response.Initialize(Zpk::FromNodeList(row.design), 4));
        EXPECT_EQ(response.RawResponse(0).Mag(), row.dc);
        EXPECT_EQ(response.NormResponse(0).Mag(), row.normDc);
        EXPECT_EQ(response.ExactResponse(0.0).Mag(), row.dc);
        EXPECT_EQ(response.NormResponse(2).Mag() == 0.0, row.othersNormaliseToZero);
    }
}

TEST(FFreqResponseTest, PointsFileHasOneLinePerSample) {
    TempDir dir;
    const FNodeList list = Design({PoleAt(0.5, 0)});
    FFreqResponse response;
    ASSERT_TRUE(response.Initialize(Zpk::FromNodeList(list), 100));
    ASSERT_TRUE(response.PrintToFile(dir.File("f.pts").c_str()));
    const std::string text = ReadFileBytes(dir.File("f.pts"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 101);
    EXPECT_EQ(text.substr(0, text.find('\n')), "+2.00000000000000000000+0.00000000000000000000j");
    EXPECT_FALSE(response.PrintToFile(dir.File("no/such/dir.pts").c_str()));
    EXPECT_FALSE(response.PrintToFile(nullptr));
}

} // namespace
