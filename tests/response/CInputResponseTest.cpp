#include "response/CImpResponse.h"
#include "response/CRampResponse.h"
#include "response/CStepResponse.h"
#include "response/TimeBase.h"

#include "DesignFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

TEST(CInputResponseTest, FlatDesignAnswersWithItsInput) {
    FNodeList flat;
    CImpResponse impulse;
    CStepResponse step;
    CRampResponse ramp;
    ASSERT_TRUE(impulse.Initialize(Zpk::FromNodeList(flat), 5));
    ASSERT_TRUE(step.Initialize(Zpk::FromNodeList(flat), 5));
    ASSERT_TRUE(ramp.Initialize(Zpk::FromNodeList(flat), 5));
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(impulse.Samples()[static_cast<size_t>(n)].r, n == 0 ? 1.0 : 0.0);
        EXPECT_EQ(step.Samples()[static_cast<size_t>(n)].r, 1.0);
        EXPECT_EQ(ramp.Samples()[static_cast<size_t>(n)].r, n);
    }
    EXPECT_EQ(ramp.Scale(), 4.0);
    EXPECT_EQ(ramp.NormResponse(4).r, 1.0);
    EXPECT_EQ(ramp.NormResponse(2).r, 0.5);
    EXPECT_EQ(impulse.NormResponse(0).r, 1.0);
}

TEST(CInputResponseTest, EmptyCountsZeroOutputsAndNonCausalDesigns) {
    FNodeList list = Design({PoleAt(0.5, 0)});
    CStepResponse step;
    EXPECT_EQ(step.Scale(), -1.0);
    ASSERT_TRUE(step.Initialize(Zpk::FromNodeList(list), 0));
    EXPECT_EQ(step.CpxCount(), 0);
    EXPECT_EQ(step.Scale(), 0.0);
    EXPECT_EQ(step.NormResponse(0), FComplex());
    // A negative count and a non-causal design keep the previous samples.
    ASSERT_TRUE(step.Initialize(Zpk::FromNodeList(list), 4));
    const auto before = step.Samples();
    EXPECT_FALSE(step.Initialize(Zpk::FromNodeList(list), -1));
    list.AddNode(ZeroAt(0.1, 0.2, true));
    EXPECT_FALSE(step.Initialize(Zpk::FromNodeList(list), 10));
    ASSERT_EQ(step.CpxCount(), 4);
    EXPECT_EQ(step.Samples()[3].r, before[3].r);
    // An output of zeros is not normalised.
    CRampResponse ramp;
    const FNodeList delay = Design({ZeroAt(0, 0), PoleAt(0, 0)});
    ASSERT_TRUE(ramp.Initialize(Zpk::FromNodeList(delay), 1)); // the ramp starts at 0
    EXPECT_EQ(ramp.Scale(), 0.0);
    EXPECT_EQ(ramp.NormResponse(0), FComplex());
}

TEST(CInputResponseTest, PointsFileToPathAndStandardOutput) {
    TempDir dir;
    const FNodeList list;
    CStepResponse step;
    ASSERT_TRUE(step.Initialize(Zpk::FromNodeList(list), 3));
    ASSERT_TRUE(step.PrintToFile(dir.File("s.pts").c_str()));
    const std::string expected = "+1.00000000000000000000+0.00000000000000000000j\n"
                                 "+1.00000000000000000000+0.00000000000000000000j\n"
                                 "+1.00000000000000000000+0.00000000000000000000j\n";
    EXPECT_EQ(ReadFileBytes(dir.File("s.pts")), expected);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(step.PrintToFile(nullptr));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
    EXPECT_FALSE(step.PrintToFile(dir.File("missing/s.pts").c_str()));
}

TEST(TimeBaseTest, DurationsSnapToWholeSamplePeriods) {
    struct Case {
        double ms;
        int rate;
        double snapped;
        long long count;
    };
    const Case cases[] = {
        {1.0, 8000, 1.125, 9},  {10.0, 8000, 10.125, 81},
        {2.5, 8000, 2.625, 21}, {1.0, 44100, 1000.0 * 45 / 44100, 45},
        {0.0, 8000, 0.125, 1},  {100.0, 48000, 100.0 + 1.0 / 48, 4801},
        {0.1, 8000, 0.125, 1},
    };
    for (const Case& c : cases) {
        const double snapped = SnapDuration(c.ms, c.rate);
        EXPECT_NEAR(snapped, c.snapped, 1e-12) << c.ms;
        EXPECT_EQ(DurationSampleCount(snapped, c.rate), c.count) << c.ms << " at " << c.rate;
    }
    // Whole sample periods stay whole through the conversion at every common rate.
    for (int rate : {8000, 11025, 22050, 44100, 48000}) {
        for (long long n = 1; n < 3000; n += 7) {
            EXPECT_EQ(DurationSampleCount(n * 1000.0 / rate, rate), n) << n << " at " << rate;
        }
    }
    EXPECT_EQ(DurationSampleCount(std::nan(""), 8000), -1);
    EXPECT_EQ(DurationSampleCount(1e300, 8000), std::numeric_limits<long long>::max());
    EXPECT_LT(DurationSampleCount(-5.0, 8000), 0);
}

} // namespace
