#include "filter/SectionPairing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

FComplex Polar(double r, double angle) {
    return FComplex(r * std::cos(angle), r * std::sin(angle));
}

TEST(SectionPairingTest, PolesNearestTheCircleRunLastWithTheirNearestZerosThatStillFit) {
    const FComplex a = Polar(0.95, 1.0);
    const FComplex b = Polar(0.5, 2.0);
    const FComplex za = Polar(1.0, 1.1);
    const FComplex zb = Polar(1.0, 2.2);
    const FComplex far = Polar(1.0, 3.0);
    struct Row {
        const char* name;
        std::vector<RootUnit> poles;
        std::vector<RootUnit> zeros;
        std::vector<SectionRoots> expected;
    };
    const Row rows[] = {
        {"empty", {}, {}, {}},
        {"two pairs, each with its zeros",
         {{a, true}, {b, true}},
         {{za, true}, {zb, true}},
         {{{b, b.Conj()}, {zb, zb.Conj()}}, {{a, a.Conj()}, {za, za.Conj()}}}},
        {"real poles two to a section, nearest the circle first",
         {{FComplex(0.2, 0)}, {FComplex(0.9, 0)}, {FComplex(0.5, 0)}},
         {{Polar(1.0, 0.1), true}},
         {{{{0.2, 0}}, {}}, {{{0.9, 0}, {0.5, 0}}, {Polar(1.0, 0.1), Polar(1.0, 0.1).Conj()}}}},
        // The real zero is nearer to a, but the far pair could then go nowhere.
        {"a zero pair is kept for the one section that can take it",
         {{a, true}, {FComplex(0.3, 0)}},
         {{FComplex(0.5, 0)}, {far, true}},
         {{{{0.3, 0}}, {{0.5, 0}}}, {{a, a.Conj()}, {far, far.Conj()}}}},
    };
    for (const Row& row : rows) {
        const std::vector<SectionRoots> sections = PairSections(row.poles, row.zeros);
        ASSERT_EQ(sections.size(), row.expected.size()) << row.name;
        for (size_t s = 0; s < sections.size(); ++s) {
            EXPECT_EQ(sections[s].poles, row.expected[s].poles) << row.name << " section " << s;
            EXPECT_EQ(sections[s].zeros, row.expected[s].zeros) << row.name << " section " << s;
        }
    }
}

} // namespace
