#include "audio/CFrameFilter.h"

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

// Seeded full-scale 32-bit input on each channel, given to the filter in uneven blocks
// and to one plain complex evaluator per channel sample by sample.
void ExpectMatchesComplexEvaluator(const FNodeList& list, int channels, bool real,
                                   double tolerance) {
    CFrameFilter filter;
    FInputResponse reference[2];
    ASSERT_TRUE(filter.Initialize(&list, channels));
    ASSERT_TRUE(reference[0].Initialize(&list) && reference[1].Initialize(&list));
    EXPECT_EQ(filter.IsReal(), real);
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> sample(INT32_MIN, INT32_MAX);
    const auto width = static_cast<size_t>(channels);
    std::vector<double> x(20000 * width);
    std::vector<double> expected(x.size());
    for (size_t i = 0; i < x.size(); ++i) {
        x[i] = sample(random);
        expected[i] = reference[i % width].GetNextSample(x[i]).r / 2.0;
    }
    size_t done = 0;
    for (size_t block = 0; done < 20000; block = (block * 7 + 3) % 1500) {
        const size_t count = std::min(block, 20000 - done);
        filter.Filter(x.data() + done * width, count, 2.0);
        done += count;
    }
    for (size_t i = 0; i < x.size(); ++i) {
        if (tolerance == 0.0) {
            ASSERT_EQ(x[i], expected[i]) << "sample " << i;
        } else {
            ASSERT_NEAR(x[i], expected[i], tolerance * std::fabs(expected[i]) + 1e-6)
                << "sample " << i;
        }
    }
}

TEST(CFrameFilter, RealCoefficientsGiveTheComplexEvaluatorsOutputsExactly) {
    ExpectMatchesComplexEvaluator(PairDesign(false), 2, true, 0.0);
    ExpectMatchesComplexEvaluator(PairDesign(false), 1, true, 0.0);
}

TEST(CFrameFilter, PairsEnteredAsTwoNodesDifferOnlyByRounding) {
    ExpectMatchesComplexEvaluator(PairDesign(true), 2, true, 1e-12);
}

TEST(CFrameFilter, ComplexCoefficientsUseTheComplexEvaluator) {
    FNodeList list;
    list.AddNode(Node(kNodePole, 0.8, 0.5, false));
    list.AddNode(Node(kNodeZero, 0.5, 0.0, false));
    ExpectMatchesComplexEvaluator(list, 2, false, 0.0);

    list.AddNode(Node(kNodeZero, 0.5, 1.0, true));
    CFrameFilter nonCausal;
    EXPECT_FALSE(nonCausal.Initialize(&list, 1));
}

} // namespace
