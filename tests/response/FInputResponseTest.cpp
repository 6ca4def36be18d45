#include "response/FInputResponse.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

namespace {

// The difference equation run the plain way, with the whole history kept.
std::vector<std::complex<double>> Reference(const FInputResponse& filter,
                                            const std::vector<double>& input) {
    const int n = filter.CpxCount();
    std::vector<std::complex<double>> out;
    for (size_t t = 0; t < input.size(); ++t) {
        std::complex<double> y;
        for (int k = 0; k < n && static_cast<size_t>(k) <= t; ++k) {
            const FComplex x = filter.GetXDelayCoeff(k);
            y += std::complex<double>(x.r, x.i) * input[t - static_cast<size_t>(k)];
            if (k >= 1) {
                const FComplex c = filter.GetYDelayCoeff(k);
                y += std::complex<double>(c.r, c.i) * out[t - static_cast<size_t>(k)];
            }
        }
        out.push_back(y);
    }
    return out;
}

TEST(FInputResponseTest, EmptyEvaluatorAndConstantGainWithoutPoles) {
    FInputResponse filter;
    EXPECT_EQ(filter.CpxCount(), 0);
    EXPECT_EQ(filter.GetXDelayCoeff(0), FComplex());
    EXPECT_EQ(filter.GetYDelayCoeff(0), FComplex());
    EXPECT_EQ(filter.GetNextSample(1.0), FComplex());
    const FNodeList flat;
    ASSERT_TRUE(filter.Initialize(Zpk::FromNodeList(flat)));
    ASSERT_EQ(filter.CpxCount(), 1);
    for (double x : {3.0, -2.0, 0.5}) {
        EXPECT_EQ(filter.GetNextSample(x).r, x);
    }
}

TEST(FInputResponseTest, OnePoleRecurrence) {
    const FNodeList list = Design({PoleAt(0.5, 0)});
    FInputResponse filter;
    ASSERT_TRUE(filter.Initialize(Zpk::FromNodeList(list)));
    ASSERT_EQ(filter.CpxCount(), 2);
    // y[n] = x[n-1] + 0.5 y[n-1]
    const double expected[] = {0.0, 1.0, 0.5, 0.25, 0.125};
    for (int n = 0; n < 5; ++n) {
        const FComplex y = filter.GetNextSample(n == 0 ? 1.0 : 0.0);
        EXPECT_DOUBLE_EQ(y.r, expected[n]);
        EXPECT_EQ(y.i, 0.0);
    }
    EXPECT_EQ(filter.GetXDelayCoeff(-1), FComplex());
    EXPECT_EQ(filter.GetXDelayCoeff(2), FComplex());
    EXPECT_EQ(filter.GetYDelayCoeff(0), FComplex());
}

TEST(FInputResponseTest, MatchesPlainRecurrenceOnRandomDesigns) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int trial = 0; trial < 40; ++trial) {
        const FNodeList list = RandomDesign(rng, 10, true);
        FInputResponse filter;
        ASSERT_TRUE(filter.Initialize(Zpk::FromNodeList(list)));
        std::vector<double> input(200);
        for (double& x : input) {
            x = noise(rng);
        }
        const auto expected = Reference(filter, input);
        for (size_t t = 0; t < input.size(); ++t) {
            const FComplex y = filter.GetNextSample(input[t]);
            const double tol = 1e-9 * (1.0 + std::abs(expected[t]));
            ASSERT_NEAR(y.r, expected[t].real(), tol) << "trial " << trial << " t " << t;
            ASSERT_NEAR(y.i, expected[t].imag(), tol);
        }
    }
}

TEST(FInputResponseTest, InitializeClearsTheMemoryUnlessTheDesignIsRefused) {
    const FNodeList list = Design({PoleAt(0.3, 0.6, true), ZeroAt(-1, 0)});
    const FNodeList nonCausal = Design({ZeroAt(0.1, 0.1, true)});
    FInputResponse filter;
    ASSERT_TRUE(filter.Initialize(Zpk::FromNodeList(list)));
    std::vector<FComplex> first;
    for (int n = 0; n < 8; ++n) {
        first.push_back(filter.GetNextSample(n % 3 - 1.0));
    }
    ASSERT_TRUE(filter.Initialize(Zpk::FromNodeList(list)));
    for (int n = 0; n < 8; ++n) {
        if (n == 7) {
            // A refused design leaves the evaluator as it was, memory and all.
            EXPECT_FALSE(filter.Initialize(Zpk::FromNodeList(nonCausal)));
        }
        const FComplex y = filter.GetNextSample(n % 3 - 1.0);
        EXPECT_EQ(y.r, first[static_cast<size_t>(n)].r);
        EXPECT_EQ(y.i, first[static_cast<size_t>(n)].i);
    }
}

} // namespace
