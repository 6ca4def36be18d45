#include "analysis/CImpResponse.h"
#include "analysis/FSectionFilter.h"

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

// Designs of 16 to 40 roots: poles clustered at radius 0.99 and an elliptic-like
// band-pass (poles close to the circle across the band, zeros on it either side).
std::vector<FNodeList> HardDesigns() {
    std::vector<FNodeList> designs = {ClusteredDesign(10, 0.99, 1.0, 0.02, 10),
                                      ClusteredDesign(20, 0.99, 0.5, 0.02, 0),
                                      ClusteredDesign(8, 0.99, 2.0, 0.02, 0)};
    FNodeList bandPass;
    for (int k = 0; k < 7; ++k) {
        FComplex p;
        p.SetByRadian(0.97 + 0.004 * k, 0.9 + 0.03 * k);
        bandPass.AddNode(FNode(kNodePole, p, true, 1));
    }
    for (double angle : {0.6, 0.7, 0.8, 1.2, 1.35, 1.6}) {
        FComplex q;
        q.SetByRadian(1.0, angle);
        bandPass.AddNode(FNode(kNodeZero, q, true, 1));
    }
    designs.push_back(bandPass);
    // Complex roots without their conjugates run in complex arithmetic.
    designs.push_back(Design({PoleAt(0.9, 0.3), PoleAt(0.5, -0.7), PoleAt(0.95, 0.1, true),
                              ZeroAt(0.2, 1.0), ZeroAt(-1, 0)}));
    return designs;
}

TEST(FSectionCascadeTest, ImpulseMatchesTheLongDoubleRootByRootRunToItsPeak) {
    constexpr int kCount = 3000;
    for (const FNodeList& list : HardDesigns()) {
        CImpResponse impulse;
        ASSERT_TRUE(impulse.Initialize(&list, kCount));
        const std::vector<LongComplex> expected = ReferenceImpulse(list, kCount);
        long double peak = 0.0L;
        for (const LongComplex& v : expected) {
            peak = std::max(peak, std::abs(v));
        }
        long double worst = 0.0L;
        for (int n = 0; n < kCount; ++n) {
            const FComplex y = impulse.Samples()[static_cast<size_t>(n)];
            worst = std::max(worst, std::abs(LongComplex(y.r, y.i) - expected[n]));
        }
        EXPECT_LE(worst, 1e-12L * peak) << list.DumpText();
    }
}

TEST(FSectionCascadeTest, StableClusteredImpulseDecays) {
    // Its expanded denominator has a root outside the circle; the sections do not.
    const FNodeList list = ClusteredDesign(12, 0.99, 1.0, 0.02, 0);
    CImpResponse impulse;
    ASSERT_TRUE(impulse.Initialize(&list, 20000));
    const auto& y = impulse.Samples();
    for (size_t n = 19000; n < y.size(); ++n) {
        ASSERT_LT(y[n].Mag(), 1e-50 * impulse.Scale()) << n;
    }
}

TEST(FSectionFilterTest, ChannelsAndBlocksRunTheCascadeTimesTheGain) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> sample(-1.0, 1.0);
    for (const FNodeList& list : HardDesigns()) {
        for (int channels : {1, 2, 3}) {
            const size_t frames = 700;
            std::vector<double> data(frames * static_cast<size_t>(channels));
            for (double& v : data) {
                v = sample(rng);
            }
            std::vector<FSectionCascade> reference(static_cast<size_t>(channels));
            for (FSectionCascade& c : reference) {
                ASSERT_TRUE(c.Load(list));
            }
            std::vector<double> expected(data.size());
            for (size_t i = 0; i < data.size(); ++i) {
                expected[i] =
                    0.25 *
                    reference[i % static_cast<size_t>(channels)].Next(FComplex(data[i], 0.0)).r;
            }
            FSectionFilter filter;
            ASSERT_TRUE(filter.Initialize(list, channels, 0.25));
            // Uneven blocks follow on as one stream.
            for (size_t start = 0, size = 1; start < frames; start += size, size = size * 3 + 1) {
                const size_t n = std::min(size, frames - start);
                filter.Process(data.data() + start * static_cast<size_t>(channels), n);
            }
            double peak = 0.0;
            for (const double v : expected) {
                peak = std::max(peak, std::fabs(v));
            }
            for (size_t i = 0; i < data.size(); ++i) {
                ASSERT_NEAR(data[i], expected[i], 1e-12 * peak) << channels << " " << i;
            }
        }
    }
    FSectionFilter filter;
    EXPECT_FALSE(filter.Initialize(Design({ZeroAt(0.5, 0)}), 1));
    EXPECT_FALSE(filter.Initialize(FNodeList(), 0));
    EXPECT_EQ(filter.Channels(), 0);
}

} // namespace
