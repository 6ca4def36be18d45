#include "response/FGroupDelay.h"
#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPiRef = 3.141592653589793;

// The smallest distance from e^jw to a root of the design.
double DistanceToRoots(const FNodeList& list, double omega) {
    double d = INFINITY;
    for (int type : {kNodePole, kNodeZero}) {
        for (const auto& root : Roots(list, type)) {
            d = std::min(d, std::abs(std::polar(1.0, omega) - root));
        }
    }
    return d;
}

TEST(FGroupDelayTest, MatchesTheSlopeOfTheUnwrappedPhase) {
    std::mt19937 rng(12);
    const double step = 2e-4;
    for (int design = 0; design < 12; ++design) {
        const FNodeList list = RandomDesign(rng, 6, design % 2 == 0);
        FGroupDelay delay;
        delay.Initialize(Zpk::FromNodeList(list));
        // Phase on a fine grid, unwrapped, then differentiated centrally.
        double previous = std::arg(ReferenceH(list, 1.0));
        double unwrapped = previous;
        std::vector<double> phase = {unwrapped};
        for (double w = step; w < kPiRef; w += step) {
            const double p = std::arg(ReferenceH(list, std::polar(1.0, w)));
            unwrapped += std::remainder(p - previous, 2 * kPiRef);
            previous = p;
            phase.push_back(unwrapped);
        }
        for (size_t k = 1; k + 1 < phase.size(); k += 53) {
            const double w = static_cast<double>(k) * step;
            if (DistanceToRoots(list, w) < 0.05) {
                continue;
            }
            const double reference = -(phase[k + 1] - phase[k - 1]) / (2 * step);
            EXPECT_NEAR(delay.At(w), reference, 1e-4 * (1 + std::abs(reference)))
                << "design " << design << " at w = " << w;
        }
    }
}

TEST(FGroupDelayTest, UndefinedOnAZeroOfTheUnitCircle) {
    const FNodeList list = Design({ZeroAt(-1.0, 0.0), PoleAt(0.0, 0.0), ZeroAt(0.0, 1.0, true)});
    FGroupDelay delay;
    delay.Initialize(Zpk::FromNodeList(list));
    const std::vector<double> sampled = delay.Sampled(4);
    ASSERT_EQ(sampled.size(), 5u);
    // Zeros at -1 (w = pi) and +-j (w = pi / 2); each adds -1/2 elsewhere on the circle.
    EXPECT_TRUE(std::isnan(sampled[2]));
    EXPECT_TRUE(std::isnan(sampled[4]));
    EXPECT_NEAR(sampled[0], 1.0 - 1.5, 1e-12);
}

} // namespace
