#include "filter/PeakScaling.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using LongComplex = std::complex<long double>;

// |b(e^-jw) / a(e^-jw)| of one section, from its coefficients in long double. Each
// polynomial c0 z^2 + c1 z + c2 is expanded about the nearer of z = 1 and z = -1, where
// roots close together would otherwise drown in the rounding of its terms.
long double SectionMagnitude(const FBiquad& s, long double w) {
    const long double side = w < kPi / 2 ? 1.0L : -1.0L;
    const long double half = w / 2;
    const LongComplex u(side > 0 ? -2 * std::sin(half) * std::sin(half)
                                 : 2 * std::cos(half) * std::cos(half),
                        std::sin(w));
    const auto poly = [&u, side](const std::array<FComplex, 3>& c) {
        const LongComplex c0(c[0].r, c[0].i), c1(c[1].r, c[1].i), c2(c[2].r, c[2].i);
        return (c0 * u + (2.0L * side * c0 + c1)) * u + (c0 + side * c1 + c2);
    };
    return std::abs(poly(s.b)) / std::abs(poly(s.a));
}

// The largest |H1...Hk| over 0..pi for every k: the largest point of a dense grid,
// denser around every pole, refined between its neighbours by golden-section search.
std::vector<long double> PrefixPeaks(const SosCascade& c, const Zpk& zpk) {
    std::vector<long double> grid;
    for (int k = 0; k <= 4096; ++k) {
        grid.push_back(k * kPi / 4096);
    }
    for (const FComplex& p : zpk.poles) {
        for (int k = -40; k <= 40; ++k) {
            grid.push_back(std::clamp(std::fabs(p.Phase()) + k * (1.0 - p.Mag()) / 8, 0.0, kPi));
        }
    }
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    std::vector<long double> m(grid.size(), 1.0L);
    std::vector<long double> peaks;
    for (const FBiquad& section : c.sections) {
        for (size_t k = 0; k < grid.size(); ++k) {
            m[k] *= SectionMagnitude(section, grid[k]);
        }
        const size_t top = static_cast<size_t>(std::max_element(m.begin(), m.end()) - m.begin());
        long double a = grid[top == 0 ? 0 : top - 1];
        long double b = grid[std::min(top + 1, grid.size() - 1)];
        const auto prefix = [&c, &peaks](long double w) {
            long double product = 1.0L;
            for (size_t k = 0; k <= peaks.size(); ++k) {
                product *= SectionMagnitude(c.sections[k], w);
            }
            return product;
        };
        long double best = m[top];
        for (int step = 0; step < 80; ++step) {
            const long double x1 = b - 0.618033988749895L * (b - a);
            const long double x2 = a + 0.618033988749895L * (b - a);
            const long double m1 = prefix(x1);
            const long double m2 = prefix(x2);
            best = std::max({best, m1, m2});
            (m1 < m2 ? a : b) = m1 < m2 ? x1 : x2;
        }
        peaks.push_back(best);
    }
    return peaks;
}

std::vector<Zpk> Designs() {
    std::vector<Zpk> designs;
    for (const FNodeList& list : HardDesigns()) {
        designs.push_back(Zpk::FromNodeList(list));
    }
    std::mt19937 rng(7);
    while (designs.size() < 16) {
        const Zpk zpk = Zpk::FromNodeList(RandomDesign(rng, 12, true));
        if (zpk.poles.size() + zpk.zeros.size() >= 2) {
            designs.push_back(zpk);
        }
    }
    // The low-pass whose sections' gains, folded into one, would underflow float32.
    designs.push_back(StandardDesign(FStandardDesign::Family::Chebyshev,
                                     FStandardDesign::Band::Lowpass, 20, 5, 192000));
    return designs;
}

// Every prefix of the scaled cascade peaks at 1, and the cascade keeps the design's
// roots: as roots again (ToZpk) it is the design over its peak gain.
TEST(PeakScalingTest, EveryPrefixPeaksAtOneAndTheRootsStay) {
    for (const Zpk& zpk : Designs()) {
        SCOPED_TRACE(::testing::Message()
                     << zpk.poles.size() << " poles, " << zpk.zeros.size() << " zeros");
        const PeakScaledCascade scaled = PeakScaled(zpk);
        ASSERT_EQ(scaled.problem, PeakProblem::None);
        ASSERT_EQ(scaled.cascade.sections.size(), SosCascade::FromZpk(zpk)->sections.size());
        const std::vector<long double> peaks = PrefixPeaks(scaled.cascade, zpk);
        for (size_t k = 0; k < peaks.size(); ++k) {
            EXPECT_NEAR(static_cast<double>(peaks[k]), 1.0, 1e-9)
                << "first " << k + 1 << " sections";
        }
        const Zpk roots = scaled.cascade.ToZpk();
        EXPECT_LT(RootMismatch(Complexes(roots.poles), Complexes(zpk.poles)), 1e-9);
        EXPECT_LT(RootMismatch(Complexes(roots.zeros), Complexes(zpk.zeros)), 1e-9);
        EXPECT_NEAR(roots.gain * TruePeakGain(zpk), zpk.gain, 1e-9);
    }
    EXPECT_EQ(PeakScaled(Zpk::FromNodeList(Design({ZeroAt(0.5, 0)}))).problem,
              PeakProblem::NonCausal);
    EXPECT_EQ(PeakScaled(Zpk::FromNodeList(Design({PoleAt(0.5, 0), PoleAt(-1, 0)}))).problem,
              PeakProblem::NotFinite);
}

} // namespace
