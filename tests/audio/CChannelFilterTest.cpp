#include "audio/CChannelFilter.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

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

// Seeded full-scale 32-bit input, fed to the filter and to the plain complex evaluator.
void ExpectMatchesComplexEvaluator(const FNodeList& list, bool real, double tolerance) {
    CChannelFilter filter;
    FInputResponse reference;
    ASSERT_TRUE(filter.Initialize(&list));
    ASSERT_TRUE(reference.Initialize(&list));
    EXPECT_EQ(filter.IsReal(), real);
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> sample(INT32_MIN, INT32_MAX);
    for (int n = 0; n < 20000; ++n) {
        const double x = sample(random);
        const double expected = reference.GetNextSample(x).r;
        const double y = filter.GetNextSample(x);
        if (tolerance == 0.0) {
            ASSERT_EQ(y, expected) << "sample " << n;
        } else {
            ASSERT_NEAR(y, expected, tolerance * std::fabs(expected) + 1e-6) << "sample " << n;
        }
    }
}

TEST(CChannelFilter, RealCoefficientsGiveTheComplexEvaluatorsOutputsExactly) {
    ExpectMatchesComplexEvaluator(PairDesign(false), true, 0.0);
}

TEST(CChannelFilter, PairsEnteredAsTwoNodesDifferOnlyByRounding) {
    ExpectMatchesComplexEvaluator(PairDesign(true), true, 1e-12);
}

TEST(CChannelFilter, ComplexCoefficientsUseTheComplexEvaluator) {
    FNodeList list;
    list.AddNode(Node(kNodePole, 0.8, 0.5, false));
    list.AddNode(Node(kNodeZero, 0.5, 0.0, false));
    ExpectMatchesComplexEvaluator(list, false, 0.0);

    list.AddNode(Node(kNodeZero, 0.5, 1.0, true));
    CChannelFilter nonCausal;
    EXPECT_FALSE(nonCausal.Initialize(&list));
}

} // namespace
