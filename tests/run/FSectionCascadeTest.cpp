#include "response/CImpResponse.h"
#include "run/FSectionFilter.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using LongComplex = std::complex<long double>;

// The impulse response run plainly, one root at a time in long double: each pole a
// first-order recursion, each zero a first-order difference, then the delay by the
// surplus of poles. It shares nothing with the sections but the roots.
std::vector<LongComplex> ReferenceImpulse(const FNodeList& list, size_t count) {
    std::vector<LongComplex> x(count);
    const auto poles = Roots(list, kNodePole);
    const auto zeros = Roots(list, kNodeZero);
    const size_t delay = poles.size() - zeros.size();
    if (delay < count) {
        x[delay] = 1.0L;
    }
    for (const auto& q : zeros) {
        for (size_t n = count; n-- > 1;) {
            x[n] -= LongComplex(q.real(), q.imag()) * x[n - 1];
        }
    }
    for (const auto& p : poles) {
        for (size_t n = 1; n < count; ++n) {
            x[n] += LongComplex(p.real(), p.imag()) * x[n - 1];
        }
    }
    return x;
}

TEST(FSectionCascadeTest, ImpulseMatchesTheLongDoubleRunToItsPeakAndDecays) {
    // The clustered designs' expanded denominators have roots outside the circle; the
    // sections keep them stable.
    constexpr int kCount = 20000;
    for (const FNodeList& list : HardDesigns()) {
        CImpResponse impulse;
        ASSERT_TRUE(impulse.Initialize(Zpk::FromNodeList(list), kCount));
        const std::vector<LongComplex> expected = ReferenceImpulse(list, kCount);
        long double peak = 0.0L;
        long double worst = 0.0L;
        for (int n = 0; n < kCount; ++n) {
            const FComplex y = impulse.Samples()[static_cast<size_t>(n)];
            peak = std::max(peak, std::abs(expected[n]));
            worst = std::max(worst, std::abs(LongComplex(y.r, y.i) - expected[n]));
        }
        EXPECT_LE(worst, 1e-12L * peak) << list.DumpText();
        EXPECT_LT(impulse.Samples().back().Mag(), 1e-3 * impulse.Scale());
    }
}

TEST(FSectionFilterTest, ChannelsAndUnevenBlocksRunTheCascadeTimesTheGain) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> sample(-1.0, 1.0);
    for (const FNodeList& list : HardDesigns()) {
        for (size_t channels : {1, 2, 3}) {
            std::vector<double> data(700 * channels);
            std::vector<double> expected(data.size());
            double peak = 0.0;
            std::vector<FSectionCascade> reference(channels);
            for (FSectionCascade& c : reference) {
                c.Load(Cascade(list));
            }
            for (size_t i = 0; i < data.size(); ++i) {
                data[i] = sample(rng);
                expected[i] = 0.25 * reference[i % channels].Next(FComplex(data[i], 0.0)).r;
                peak = std::max(peak, std::fabs(expected[i]));
            }
            FSectionFilter filter;
            ASSERT_TRUE(filter.Initialize(Cascade(list, 0.25), static_cast<int>(channels)));
            for (size_t start = 0, size = 1; start < 700; start += size, size = size * 3 + 1) {
                filter.Process(data.data() + start * channels, std::min(size, 700 - start));
            }
            for (size_t i = 0; i < data.size(); ++i) {
                ASSERT_NEAR(data[i], expected[i], 1e-12 * peak) << channels << " " << i;
            }
        }
    }
    FSectionFilter filter;
    EXPECT_FALSE(filter.Initialize(Cascade(FNodeList()), 0));
    EXPECT_FALSE(filter.Initialize(SosCascade(), 1));
}

} // namespace
