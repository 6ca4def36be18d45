#include "design/spec/MinimumOrder.h"

#include "DesignFixtures.h"
#include "design/spec/SpecificationCheck.h"

#include <gtest/gtest.h>

namespace {

using Design = FStandardDesign;

Specification SpecificationOf(const Reference& r) {
    Specification spec;
    spec.band = Design::Band(r.header[1]);
    spec.passband = {r.header[3], r.header[4]};
    spec.stopband = {r.header[5], r.header[6]};
    spec.rippleDb = r.header[7];
    spec.attenuationDb = r.header[8];
    return spec;
}

// scipy.signal's buttord, cheb1ord, cheb2ord and ellipord over the four types, from
// orders 1 to 478, with the designs of those orders: the order, the corners (a band-stop's
// too, whose passband edges the same bounded search moves) and the roots agree. Every
// design meets its specification.
TEST(MinimumOrderTest, OrdersAndDesignsAgreeWithTheReference) {
    const std::vector<Reference> references =
        ReadReferences(WINQEN_TEST_DATA "/MinimumOrders.txt", "S");
    ASSERT_EQ(references.size(), 90u);
    for (const Reference& r : references) {
        const Specification spec = SpecificationOf(r);
        const std::optional<Design> d =
            MinimumOrderDesign(Design::Family(r.header[0]), spec, r.header[2]);
        ASSERT_TRUE(d.has_value()) << r.line;
        const std::vector<double>& o = r.values.at("O");
        ASSERT_EQ(d->order, int(o[0])) << r.line;
        EXPECT_NEAR(d->corner, o[1], 1e-9 * o[1]) << r.line;
        EXPECT_NEAR(d->corner2, o[2], 1e-9 * o[2]) << r.line;
        Zpk zpk;
        if (d->order > Design::kMaxOrder) {
            EXPECT_EQ(d->Design(&zpk), Design::Problem::Order) << r.line;
            continue;
        }
        ASSERT_EQ(d->Design(&zpk), Design::Problem::None) << r.line;
        const SpecificationResult result = CheckSpecification(zpk, spec, d->rate);
        EXPECT_TRUE(result.Holds()) << r.line << ": " << result.Verdict();
        FNodeList list;
        zpk.AddToNodeList(&list);
        EXPECT_LT(RootDistance(r.zeros, Roots(list, kNodeZero)), 1e-9) << r.line;
        EXPECT_LT(RootDistance(r.poles, Roots(list, kNodePole)), 1e-9) << r.line;
    }
}

// Bessel has no rule, and a specification that is none gives no design.
TEST(MinimumOrderTest, RefusesBesselAndInvalidSpecifications) {
    Specification spec;
    EXPECT_FALSE(MinimumOrderDesign(Design::Family::Bessel, spec, 8000).has_value());
    EXPECT_TRUE(MinimumOrderDesign(Design::Family::Elliptic, spec, 8000).has_value());
    EXPECT_FALSE(MinimumOrderDesign(Design::Family::Elliptic, spec, 2000).has_value());
    spec.attenuationDb = spec.rippleDb;
    EXPECT_FALSE(MinimumOrderDesign(Design::Family::Elliptic, spec, 8000).has_value());
}

} // namespace
