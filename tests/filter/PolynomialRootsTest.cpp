#include "filter/PolynomialRoots.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Cpx = std::complex<double>;

// The coefficients of prod(z - root), highest power first, expanded in long double.
std::vector<double> Expand(const std::vector<Cpx>& roots) {
    std::vector<std::complex<long double>> c = {1.0L};
    for (const Cpx& r : roots) {
        c.push_back(0.0L);
        for (size_t k = c.size() - 1; k > 0; --k) {
            c[k] -= std::complex<long double>(r) * c[k - 1];
        }
    }
    std::vector<double> real;
    for (const auto& v : c) {
        real.push_back(static_cast<double>(v.real()));
    }
    return real;
}

TEST(PolynomialRootsTest, WellSeparatedRootsComeOutExactAndInMirrorPairs) {
    std::mt19937 rng(20);
    std::uniform_real_distribution<double> radius(0.3, 1.6);
    std::uniform_real_distribution<double> angle(0.2, 2.9);
    for (int degree = 3; degree <= 24; ++degree) {
        SCOPED_TRACE(degree);
        std::vector<Cpx> roots;
        while (static_cast<int>(roots.size()) + 2 <= degree) {
            const Cpx r = std::polar(radius(rng), angle(rng));
            roots.insert(roots.end(), {r, std::conj(r)});
        }
        if (static_cast<int>(roots.size()) < degree) {
            roots.push_back(radius(rng) - 1.0);
        }
        // Leading zeros lower the degree; trailing zeros are roots at 0.
        std::vector<double> c = Expand(roots);
        c.insert(c.begin(), degree % 3, 0.0);
        c.insert(c.end(), degree % 2, 0.0);
        roots.insert(roots.end(), degree % 2, 0.0);

        const std::vector<Cpx> found = RealPolynomialRoots(c);
        EXPECT_LT(RootMismatch(found, roots), 1e-12);
        for (const Cpx& r : found) {
            EXPECT_NE(std::find(found.begin(), found.end(), std::conj(r)), found.end()) << r;
        }
    }
    EXPECT_TRUE(RealPolynomialRoots({0.0, 0.0}).empty());
    EXPECT_TRUE(RealPolynomialRoots({0.0, 5.0}).empty());
}

// Roots a textbook formula would lose to cancellation, overflow, or a zero leading
// coefficient.
TEST(PolynomialRootsTest, QuadraticRootsTable) {
    const Cpx j(0.0, 1.0);
    const struct {
        Cpx c2, c1, c0;
        std::vector<Cpx> roots;
    } rows[] = {
        {1, -1e8, 1, {1e8, 1e-8}},
        {1, 0, 1, {j, -j}},
        {1, -2, 1, {1, 1}},
        {2, 3, 0, {0, -1.5}},
        {0, 2, -1, {0.5}},
        {0, 0, 3, {}},
        {1e300, 0, -1e300, {1, -1}},
        {1e-300, -3e-300, 2e-300, {1, 2}},
        {1, -4.0 - j, 5.0 + 5.0 * j, {1.0 + 2.0 * j, 3.0 - j}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.c2 << " " << row.c1 << " " << row.c0);
        EXPECT_LT(RootMismatch(QuadraticRoots(row.c2, row.c1, row.c0), row.roots), 1e-15);
    }
}

} // namespace
