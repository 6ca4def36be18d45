#include "arith/FourDecimalEffect.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

namespace {

// Butterworth low-passes (corner at the fraction of half the rate scipy.signal.butter
// takes) whose pole polynomial, rounded to four decimals, numpy.roots solved: the
// largest pole radius and whether a pole moved by more than 1e-3.
TEST(FourDecimalEffectTest, RoundedButterworthPolynomialsAgainstNumpy) {
    const struct {
        int order;
        double corner;
        double radius;
        bool differs;
    } rows[] = {{20, 0.05, 2.105285, true}, {20, 0.25, 1.022047, true}, {20, 0.5, 0.923682, true},
                {8, 0.2, 0.894345, true},   {6, 0.05, 1.096898, true},  {4, 0.25, 0.757740, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.order << " " << row.corner);
        const Zpk zpk =
            StandardDesign(FStandardDesign::Family::Butterworth, FStandardDesign::Band::Lowpass,
                           row.order, row.corner * 4000);
        ASSERT_EQ(zpk.poles.size(), static_cast<size_t>(row.order));
        const FourDecimalEffect effect = RoundedToFourDecimals(zpk);
        EXPECT_NEAR(effect.largestPoleRadius, row.radius, 1e-6);
        EXPECT_EQ(effect.differs, row.differs);
        EXPECT_EQ(FourDecimalWarning(zpk).empty(), !row.differs);
    }
    EXPECT_EQ(FourDecimalWarning(Zpk()), "");
    EXPECT_EQ(FourDecimalWarning(Zpk{{}, {FComplex(1.5, 0)}}), "");
    EXPECT_EQ(FourDecimalWarning(Zpk{{}, {FComplex(0.99996, 0)}}),
              "Rounded to four decimals these coefficients make a different filter (largest "
              "pole radius 1.0000). Use Second-Order Sections to implement it.");
}

} // namespace
