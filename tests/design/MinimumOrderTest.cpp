#include "design/requirement/MinimumOrder.h"

#include "DesignFixtures.h"
#include "design/requirement/RequirementCheck.h"

#include <gtest/gtest.h>

namespace {

using Design = FStandardDesign;

Requirement RequirementOf(const Reference& r) {
    Requirement req;
    req.band = Design::Band(r.header[1]);
    req.passband = {r.header[3], r.header[4]};
    req.stopband = {r.header[5], r.header[6]};
    req.rippleDb = r.header[7];
    req.attenuationDb = r.header[8];
    return req;
}

// scipy.signal's buttord, cheb1ord, cheb2ord and ellipord over the four types, from
// orders 1 to 478, with the designs of those orders: the order, the corners (a band-stop's
// too, whose passband edges the same bounded search moves) and the roots agree. Every
// design meets its requirement.
TEST(MinimumOrderTest, OrdersAndDesignsAgreeWithTheReference) {
    const std::vector<Reference> references =
        ReadReferences(WINQEN_TEST_DATA "/MinimumOrders.txt", "S");
    ASSERT_EQ(references.size(), 90u);
    for (const Reference& r : references) {
        const Requirement req = RequirementOf(r);
        const std::optional<Design> d =
            MinimumOrderDesign(Design::Family(r.header[0]), req, r.header[2]);
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
        const RequirementResult result = CheckRequirement(zpk, req, d->rate);
        EXPECT_TRUE(result.Holds()) << r.line << ": " << result.Verdict();
        FNodeList list;
        zpk.AddToNodeList(&list);
        EXPECT_LT(RootDistance(r.zeros, Roots(list, kNodeZero)), 1e-9) << r.line;
        EXPECT_LT(RootDistance(r.poles, Roots(list, kNodePole)), 1e-9) << r.line;
    }
}

// Bessel has no rule, and a requirement that is none gives no design.
TEST(MinimumOrderTest, RefusesBesselAndInvalidRequirements) {
    Requirement req;
    EXPECT_FALSE(MinimumOrderDesign(Design::Family::Bessel, req, 8000).has_value());
    EXPECT_TRUE(MinimumOrderDesign(Design::Family::Elliptic, req, 8000).has_value());
    EXPECT_FALSE(MinimumOrderDesign(Design::Family::Elliptic, req, 2000).has_value());
    req.attenuationDb = req.rippleDb;
    EXPECT_FALSE(MinimumOrderDesign(Design::Family::Elliptic, req, 8000).has_value());
}

} // namespace
