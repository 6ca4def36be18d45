#include "core/FComplex.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>

namespace {

FComplex Parse(const char* text) {
    FComplex value(99.0, 99.0);
    EXPECT_TRUE(FComplex::IsValidCpxString(text, &value)) << text;
    return value;
}

FComplex ParsePolar(const char* text, bool radians) {
    FComplex value(99.0, 99.0);
    EXPECT_TRUE(FComplex::IsValidPolarString(text, &value, radians)) << text;
    return value;
}

TEST(FComplexTest, ArithmeticMatchesStdComplex) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> d(-10.0, 10.0);
    for (int n = 0; n < 200; ++n) {
        const FComplex a(d(rng), d(rng));
        const FComplex b(d(rng), d(rng));
        const std::complex<double> ca(a.r, a.i);
        const std::complex<double> cb(b.r, b.i);
        const FComplex p = a * b;
        EXPECT_NEAR(p.r, (ca * cb).real(), 1e-12);
        EXPECT_NEAR(p.i, (ca * cb).imag(), 1e-12);
        const FComplex q = a / b;
        EXPECT_NEAR(q.r, (ca / cb).real(), 1e-9);
        EXPECT_NEAR(q.i, (ca / cb).imag(), 1e-9);
        EXPECT_NEAR(a.Mag(), std::abs(ca), 1e-12);
        EXPECT_NEAR(a.MagDifference(b), std::abs(ca - cb), 1e-12);
        EXPECT_NEAR(a.Phase(), std::arg(ca), 1e-12);
    }
}

TEST(FComplexTest, DivisionByZeroPhaseOnTheAxesAndEquality) {
    FComplex a(3.0, -4.0);
    a /= 0.0;
    EXPECT_EQ(a.r, 3.0);
    EXPECT_EQ(a.i, -4.0);
    EXPECT_FALSE((FComplex(1.0, 1.0) / FComplex()).IsFinite());
    EXPECT_EQ(FComplex(0, 0).Phase(), 0.0);
    EXPECT_EQ(FComplex(-1, 0).Phase(), kPi);
    EXPECT_EQ(FComplex(0, -2).Phase(), -kHalfPi);
    EXPECT_EQ(FComplex(0, 2).Phase(), kHalfPi);
    // Equal within a millionth per part.
    EXPECT_TRUE(FComplex(1.0, 2.0) == FComplex(1.0 + 5e-7, 2.0 - 5e-7));
    EXPECT_FALSE(FComplex(0.0, 0.0) == FComplex(0.0, 1e-6));
    EXPECT_FALSE(FComplex(0.0, 0.0) == FComplex(1e-6, 0.0));
}

TEST(FComplexTest, CartesianForms) {
    struct Case {
        const char* text;
        double r, i;
    };
    const Case cases[] = {
        {"2 + 3j", 2, 3}, {"2+3j", 2, 3},    {"2 +3j", 2, 3},
        {"2 3j", 2, 3},   {"2 - 3j", 2, -3}, {"2-3j", 2, -3},
        {"3j + 2", 2, 3}, {"3j - 2", -2, 3}, {"2 + 3i", 2, 3},
        {"-3j", 0, -3},   {"5", 5, 0},       {"1+j", 1, 0},
        {"5x", 5, 0},     {"2 + 3J", 2, 0},  {"1e-3 + 2.5e1j", 0.001, 25},
    };
    for (const Case& c : cases) {
        const FComplex v = Parse(c.text);
        EXPECT_EQ(v.r, c.r) << c.text;
        EXPECT_EQ(v.i, c.i) << c.text;
    }
}

TEST(FComplexTest, RejectedTextLeavesResultUntouched) {
    for (const char* text : {"j2", "", "abc", "nan", "inf", "-inf", "1e999", "nanj", "2 + nanj",
                             "1e999j + 1", "3j - nan"}) {
        FComplex value(7.0, 8.0);
        EXPECT_FALSE(FComplex::IsValidCpxString(text, &value)) << text;
        EXPECT_EQ(value.r, 7.0);
        EXPECT_EQ(value.i, 8.0);
    }
    EXPECT_FALSE(FComplex::IsValidCpxString(nullptr, nullptr));
    EXPECT_TRUE(FComplex::IsValidCpxString("1 + 1j", nullptr));
}

TEST(FComplexTest, PolarFormsAndRejections) {
    for (const char* text : {"1 45", "1, 45", "1 < 45 deg", "1<45", "1 45 rad"}) {
        const FComplex deg = ParsePolar(text, false);
        EXPECT_NEAR(deg.r, std::sqrt(0.5), 1e-12) << text;
        EXPECT_NEAR(deg.i, std::sqrt(0.5), 1e-12) << text;
        const FComplex rad = ParsePolar(text, true);
        EXPECT_NEAR(rad.r, std::cos(45.0), 1e-12) << text;
        EXPECT_NEAR(rad.i, std::sin(45.0), 1e-12) << text;
    }
    const FComplex back = ParsePolar("2 -90", false);
    EXPECT_NEAR(back.r, 0.0, 1e-12);
    EXPECT_NEAR(back.i, -2.0, 1e-12);
    // One number, or a part that is not finite, is refused.
    for (const char* text : {"1", "", "deg", "nan 45", "1 inf", "1e999 0", "1 1e308"}) {
        FComplex value(7.0, 8.0);
        EXPECT_FALSE(FComplex::IsValidPolarString(text, &value, false)) << text;
        EXPECT_EQ(value.r, 7.0);
    }
    EXPECT_FALSE(FComplex::IsValidPolarString(nullptr, nullptr, true));
}

TEST(FComplexTest, ParsersIgnoreACommaDecimalLocale) {
    CommaLocale comma;
    if (!comma.Active()) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    const FComplex v = Parse("0.25 - 1.5j");
    EXPECT_EQ(v.r, 0.25);
    EXPECT_EQ(v.i, -1.5);
    EXPECT_NEAR(ParsePolar("2.5, 0.5", true).Mag(), 2.5, 1e-12);
}

} // namespace
