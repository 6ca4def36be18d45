#include "response/UnwrappedPhase.h"
#include "DesignFixtures.h"
#include "response/FGroupDelay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr double kPiRef = 3.141592653589793;

// On random designs the continuous phase is the phase of H up to whole turns, and its
// slope is minus the group delay (computed independently from the roots).
TEST(UnwrappedPhaseTest, IsThePhaseOfHAndItsSlopeIsTheDelay) {
    std::mt19937 rng(21);
    for (int design = 0; design < 12; ++design) {
        const FNodeList list = RandomDesign(rng, 6, design % 2 == 0);
        const Zpk zpk = Zpk::FromNodeList(list);
        FGroupDelay delay;
        delay.Initialize(zpk);
        EXPECT_TRUE(PhaseJumps(zpk).empty());
        // Zeros and poles swapped give the reciprocal, whose phase is the negative: this
        // covers poles outside the circle, which the random designs do not place.
        Zpk inverse = zpk;
        std::swap(inverse.zeros, inverse.poles);
        for (double w = 0.01; w < kPiRef; w += 0.0537) {
            const double phase = UnwrappedPhase(zpk).At(w);
            const double h = std::arg(ReferenceH(list, std::polar(1.0, w)));
            EXPECT_NEAR(std::remainder(phase - h, 2 * kPiRef), 0.0, 1e-9) << design << " " << w;
            EXPECT_NEAR(UnwrappedPhase(inverse).At(w), -phase, 1e-9) << design << " " << w;
            const double step = 1e-6;
            const double slope =
                (UnwrappedPhase(zpk).At(w + step) - UnwrappedPhase(zpk).At(w - step)) / (2 * step);
            EXPECT_NEAR(slope, -delay.At(w), 1e-5 * (1 + std::abs(slope))) << design << " " << w;
        }
    }
}

// A root on the unit circle (to rounding) makes a jump of pi at its angle, and only
// there; the phase is undefined on it.
TEST(UnwrappedPhaseTest, JumpsByPiOnlyAtRootsOnTheCircle) {
    Zpk zpk;
    // A zero at -1 as a design computes it, a zero pair on the circle at 1.2 rad, and a
    // pole pair close to the circle whose steep but continuous slope is no jump.
    zpk.zeros = {FComplex(-1.0, 1e-17), FComplex(std::cos(1.2), std::sin(1.2)),
                 FComplex(std::cos(1.2), -std::sin(1.2))};
    zpk.poles = {FComplex(0.999 * std::cos(0.5), 0.999 * std::sin(0.5)),
                 FComplex(0.999 * std::cos(0.5), -0.999 * std::sin(0.5)), FComplex(0, 0)};
    const std::vector<double> jumps = PhaseJumps(zpk);
    ASSERT_EQ(jumps.size(), 2u);
    EXPECT_NEAR(jumps[0], 1.2, 1e-12);
    EXPECT_NEAR(jumps[1], kPiRef, 1e-12);
    EXPECT_TRUE(std::isnan(UnwrappedPhase(zpk).At(1.2)));
    EXPECT_TRUE(std::isnan(UnwrappedPhase(zpk).At(kPiRef)));
    const double e = 1e-7;
    EXPECT_NEAR(std::abs(UnwrappedPhase(zpk).At(1.2 + e) - UnwrappedPhase(zpk).At(1.2 - e)), kPiRef,
                1e-5);
    EXPECT_LT(std::abs(UnwrappedPhase(zpk).At(0.5 + e) - UnwrappedPhase(zpk).At(0.5 - e)), 1e-3);
}

} // namespace
