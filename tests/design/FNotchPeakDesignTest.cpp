#include "design/iir/FNotchPeakDesign.h"

#include "DesignFixtures.h"
#include "filter/Stability.h"

#include <gtest/gtest.h>

namespace {

using Design = FNotchPeakDesign;

// scipy.signal's iirnotch and iirpeak, from wide real-pole bands to a Q of 1000.
TEST(FNotchPeakDesignTest, RootsAndGainAgreeWithTheReferenceDesigns) {
    const std::vector<Reference> references =
        ReadReferences(WINQEN_TEST_DATA "/NotchPeakDesigns.txt", "N");
    ASSERT_EQ(references.size(), 12u);
    for (const Reference& r : references) {
        const Design d{Design::Kind(r.header[0]), r.header[2], r.header[3], r.header[1]};
        Zpk zpk;
        ASSERT_EQ(d.Design(&zpk), Design::Problem::None) << r.line;
        EXPECT_NEAR(zpk.gain, r.values.at("K").at(0), 1e-12) << r.line;
        FNodeList list;
        zpk.AddToNodeList(&list);
        EXPECT_LT(RootDistance(r.zeros, Roots(list, kNodeZero)), 1e-12) << r.line;
        EXPECT_LT(RootDistance(r.poles, Roots(list, kNodePole)), 1e-12) << r.line;
    }
}

// A bandwidth reaching half the rate (q <= 2 centre / rate) has no stable design.
TEST(FNotchPeakDesignTest, RefusesWhatCannotBeDesigned) {
    const std::pair<Design, Design::Problem> rows[] = {
        {{Design::Kind::Notch, 1000, 10, 0}, Design::Problem::Rate},
        {{Design::Kind::Notch, 4000, 10, 8000}, Design::Problem::Centre},
        {{Design::Kind::Peak, 0, 10, 8000}, Design::Problem::Centre},
        {{Design::Kind::Peak, 2000, 0.5, 8000}, Design::Problem::Q},
        {{Design::Kind::Notch, 2000, 0.5000001, 8000}, Design::Problem::None},
        {{Design::Kind::Notch, 1000, 1e17, 8000}, Design::Problem::Unstable},
    };
    for (const auto& [design, problem] : rows) {
        Zpk zpk;
        EXPECT_EQ(design.Design(&zpk), problem) << design.centre << " " << design.q;
        if (problem == Design::Problem::None) {
            EXPECT_LT(LargestPoleRadius(zpk), 1.0);
        }
    }
}

} // namespace
