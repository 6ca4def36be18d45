#include "filter/PeakScaling.h"

#include "DesignFixtures.h"
#include "design/iir/FStandardDesign.h"

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

long double PrefixMagnitude(const SosCascade& c, size_t count, long double w) {
    long double m = 1.0L;
    for (size_t k = 0; k < count; ++k) {
        m *= SectionMagnitude(c.sections[k], w);
    }
    return m;
}

// The largest |H1...Hk| over 0..pi for every k: a dense grid, denser around every pole,
// whose three largest local maxima are refined by golden-section search.
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
    for (size_t count = 1; count <= c.sections.size(); ++count) {
        std::vector<std::pair<long double, size_t>> maxima;
        for (size_t k = 0; k < grid.size(); ++k) {
            m[k] *= SectionMagnitude(c.sections[count - 1], grid[k]);
        }
        for (size_t k = 0; k < grid.size(); ++k) {
            if ((k == 0 || m[k] >= m[k - 1]) && (k + 1 == grid.size() || m[k] >= m[k + 1])) {
                maxima.emplace_back(m[k], k);
            }
        }
        std::sort(maxima.rbegin(), maxima.rend());
        long double best = maxima.front().first;
        for (size_t n = 0; n < std::min<size_t>(3, maxima.size()); ++n) {
            const size_t k = maxima[n].second;
            long double a = grid[k == 0 ? 0 : k - 1];
            long double b = grid[std::min(k + 1, grid.size() - 1)];
            for (int step = 0; step < 80; ++step) {
                const long double x1 = b - 0.618033988749895L * (b - a);
                const long double x2 = a + 0.618033988749895L * (b - a);
                const long double m1 = PrefixMagnitude(c, count, x1);
                const long double m2 = PrefixMagnitude(c, count, x2);
                best = std::max({best, m1, m2});
                (m1 < m2 ? a : b) = m1 < m2 ? x1 : x2;
            }
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
    FStandardDesign chebyshev;
    chebyshev.family = FStandardDesign::Family::Chebyshev;
    chebyshev.order = 20;
    chebyshev.corner = 5;
    chebyshev.rate = 192000;
    EXPECT_EQ(chebyshev.Design(&designs.emplace_back()), FStandardDesign::Problem::None);
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
        ASSERT_EQ(roots.poles.size(), zpk.poles.size());
        ASSERT_EQ(roots.zeros.size(), zpk.zeros.size());
        const double peak = TruePeakGain(zpk);
        for (double w : {0.1, 0.7, 1.9, 3.0}) {
            const FComplex want = zpk.OnCircle(w);
            const FComplex got = roots.OnCircle(w);
            EXPECT_NEAR(got.r * peak, want.r, 1e-9 * peak * (1 + want.Mag())) << w;
            EXPECT_NEAR(got.i * peak, want.i, 1e-9 * peak * (1 + want.Mag())) << w;
        }
    }
    EXPECT_EQ(PeakScaled(Zpk::FromNodeList(Design({ZeroAt(0.5, 0)}))).problem,
              PeakProblem::NonCausal);
    EXPECT_EQ(PeakScaled(Zpk::FromNodeList(Design({PoleAt(0.5, 0), PoleAt(-1, 0)}))).problem,
              PeakProblem::NotFinite);
}

} // namespace
