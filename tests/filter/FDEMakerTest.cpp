#include "filter/FDEMaker.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(FComplex actual, double r, double i, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.r, r, tolerance);
    EXPECT_NEAR(actual.i, i, tolerance);
}

TEST(FDEMakerTest, EmptyDesignIsOneAndCoefficientsOutsideThePolynomialsAreZero) {
    FDEMaker de;
    ExpectNear(de.GetZeroPolyCoeff(0), 0, 0);
    std::vector<FComplex> x, y;
    EXPECT_FALSE(de.GetDEArrays(&x, &y));
    const FNodeList empty;
    de.Load(Zpk::FromNodeList(empty));
    EXPECT_EQ(de.ZeroPolyCnt(), 1);
    EXPECT_EQ(de.PolePolyCnt(), 1);
    ASSERT_TRUE(de.GetDEArrays(&x, &y));
    ASSERT_EQ(x.size(), 1u);
    ExpectNear(x[0], 1, 0);
    ExpectNear(y[0], 0, 0);
    const FNodeList onePole = Design({PoleAt(0.5, 0)});
    de.Load(Zpk::FromNodeList(onePole));
    ASSERT_EQ(de.PolePolyCnt(), 2);
    ExpectNear(de.GetPolePolyCoeff(2), 0, 0);
    ExpectNear(de.GetZeroPolyCoeff(-1), 0, 0);
}

TEST(FDEMakerTest, MoreZerosThanPolesHasNoDifferenceEquation) {
    const FNodeList list = Design({ZeroAt(0.1, 0), ZeroAt(0.2, 0), PoleAt(0.5, 0)});
    FDEMaker de;
    de.Load(Zpk::FromNodeList(list));
    std::vector<FComplex> x{FComplex(9, 9)}, y;
    EXPECT_FALSE(de.GetDEArrays(&x, &y));
    EXPECT_EQ(x.size(), 1u);
}

TEST(FDEMakerTest, DifferenceEquationArraysDescribeH) {
    // H(z) = sum X[d] z^-d / (1 - sum Y[d] z^-d) must equal N(z) / D(z).
    std::mt19937 rng(99);
    for (int trial = 0; trial < 40; ++trial) {
        const FNodeList list = RandomDesign(rng, 12, true);
        FDEMaker de;
        de.Load(Zpk::FromNodeList(list));
        std::vector<FComplex> x, y;
        ASSERT_TRUE(de.GetDEArrays(&x, &y));
        const std::complex<double> z = std::polar(1.0, 0.9);
        std::complex<double> num, den(1.0, 0.0);
        for (size_t d = 0; d < x.size(); ++d) {
            const std::complex<double> zd = std::pow(z, -static_cast<double>(d));
            num += std::complex<double>(x[d].r, x[d].i) * zd;
            den -= std::complex<double>(y[d].r, y[d].i) * zd;
        }
        const std::complex<double> expected = ReferenceH(list, z);
        EXPECT_NEAR(std::abs(num / den - expected), 0.0, 1e-9 * std::abs(expected) + 1e-12);
    }
}

} // namespace
