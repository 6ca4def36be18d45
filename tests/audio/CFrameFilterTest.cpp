#include "audio/CFrameFilter.h"
#include "analysis/DesignFixtures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

FNode Node(int type, double mag, double angle, bool conjugate) {
    FComplex v;
    v.SetByRadian(mag, angle);
    return FNode(type, v, conjugate, 1);
}

// Four conjugate pole pairs and four conjugate zero pairs, plus a real pole and zero.
FNodeList PairDesign(bool pairsAsTwoNodes) {
    FNodeList list;
    for (int k = 0; k < 4; ++k) {
        for (const int type : {kNodePole, kNodeZero}) {
            const double mag = type == kNodePole ? 0.7 + 0.07 * k : 1.0;
            const double angle = 0.3 + 0.6 * k + (type == kNodeZero ? 0.2 : 0.0);
            list.AddNode(Node(type, mag, angle, !pairsAsTwoNodes));
            if (pairsAsTwoNodes) {
                list.AddNode(Node(type, mag, -angle, false));
            }
        }
    }
    list.AddNode(Node(kNodePole, -0.4, 0.0, false));
    list.AddNode(Node(kNodeZero, 0.9, 0.0, false));
    return list;
}

// What the driver makes of an output: divided, truncated, saturated, NaN as 0.
int32_t Sample(double y, double divisor) {
    const double q = y / divisor;
    return std::isnan(q) ? 0 : static_cast<int32_t>(std::clamp(q, -2147483648.0, 2147483647.0));
}

// Seeded 32-bit input on each channel, given to the filter in uneven blocks and to one
// plain complex evaluator per channel sample by sample. tolerance is in output units.
void ExpectMatchesComplexEvaluator(const FNodeList& list, int channels, bool real, int tolerance) {
    CFrameFilter filter;
    FInputResponse reference[2];
    ASSERT_TRUE(filter.Initialize(&list, channels));
    ASSERT_TRUE(reference[0].Initialize(&list) && reference[1].Initialize(&list));
    EXPECT_EQ(filter.IsReal(), real);
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> sample(INT32_MIN / 2, INT32_MAX / 2);
    std::vector<tSample> frames(20000);
    std::vector<tSample> expected(frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        frames[i] = {sample(random), channels == 2 ? sample(random) : 0};
        expected[i].left = Sample(reference[0].GetNextSample(frames[i].left).r, 8.0);
        if (channels == 2) {
            expected[i].right = Sample(reference[1].GetNextSample(frames[i].right).r, 8.0);
        }
    }
    size_t done = 0;
    for (size_t block = 0; done < frames.size(); block = (block * 7 + 3) % 1500) {
        const size_t count = std::min(block, frames.size() - done);
        filter.Filter(frames.data() + done, count, 8.0);
        done += count;
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        ASSERT_LE(std::abs(int64_t{frames[i].left} - expected[i].left), tolerance) << i;
        ASSERT_LE(std::abs(int64_t{frames[i].right} - expected[i].right), tolerance) << i;
    }
}

// Real coefficients give the evaluator's outputs exactly, also for poles outside the unit
// circle, whose outputs overflow to infinity and then turn into NaN on the same samples
// in both arithmetics. Pairs entered as two nodes differ at most by one in the last place.
TEST(CFrameFilter, RealCoefficientsGiveTheComplexEvaluatorsOutputs) {
    ExpectMatchesComplexEvaluator(PairDesign(false), 2, true, 0);
    ExpectMatchesComplexEvaluator(PairDesign(false), 1, true, 0);
    ExpectMatchesComplexEvaluator(PairDesign(true), 2, true, 1);
    for (const double angle : {0.1, 2.5, 3.0}) {
        const FNodeList unstable = Design(
            {Node(kNodePole, 1.3, angle, true), PoleAt(0.5, 0), Node(kNodeZero, 0.5, 2.0, true)});
        ExpectMatchesComplexEvaluator(unstable, 2, true, 0);
    }
}

TEST(CFrameFilter, ComplexCoefficientsUseTheComplexEvaluator) {
    ExpectMatchesComplexEvaluator(Design({Node(kNodePole, 0.8, 0.5, false), ZeroAt(0.5, 0)}), 2,
                                  false, 0);
    const FNodeList nonCausal = Design({PoleAt(0.5, 0), ZeroAt(0.5, 0.5, true)});
    CFrameFilter filter;
    EXPECT_FALSE(filter.Initialize(&nonCausal, 1));
}

} // namespace
