#include "filter/SosCascade.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

struct Case {
    std::string name;
    Zpk zpk;
    std::vector<std::array<double, 6>> sections;
};

std::vector<Case> ReadCases() {
    std::ifstream in(WINQEN_FILTER_DATA "/Pairing.txt");
    std::vector<Case> cases;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string tag;
        fields >> tag;
        if (tag == "C") {
            cases.emplace_back().name = line.substr(2);
        } else if (tag == "P" || tag == "Z") {
            double re = 0, im = 0;
            fields >> re >> im;
            (tag == "P" ? cases.back().zpk.poles : cases.back().zpk.zeros).emplace_back(re, im);
        } else if (tag == "S") {
            std::array<double, 6>& s = cases.back().sections.emplace_back();
            for (double& c : s) {
                fields >> c;
            }
        }
    }
    return cases;
}

// The cascade pairs and orders the roots as scipy's zpk2sos(pairing='nearest') does.
// Where scipy makes up missing zeros with zeros at the origin, a section here delays
// its numerator instead: its leading coefficients are 0 and the rest are scipy's.
TEST(SectionPairingTest, SectionsAreThoseOfTheNearestPairingRule) {
    const std::vector<Case> cases = ReadCases();
    ASSERT_EQ(cases.size(), 26u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<SosCascade> cascade = SosCascade::FromZpk(c.zpk);
        ASSERT_TRUE(cascade);
        ASSERT_TRUE(cascade->IsReal());
        ASSERT_EQ(cascade->sections.size(), c.sections.size());
        for (size_t k = 0; k < c.sections.size(); ++k) {
            const FBiquad& got = cascade->sections[k];
            const std::array<double, 6>& want = c.sections[k];
            size_t delay = 0;
            while (delay < 2 && got.b[delay].r == 0.0) {
                ++delay;
            }
            for (size_t j = 0; j < 3; ++j) {
                const double b = j + delay < 3 ? got.b[j + delay].r : 0.0;
                EXPECT_NEAR(b, want[j], 1e-12 * (1 + std::abs(want[j]))) << "section " << k;
                EXPECT_NEAR(got.a[j].r, want[3 + j], 1e-12) << "section " << k;
            }
        }
    }
}

TEST(SectionPairingTest, NumeratorsDelayByTheMissingZerosAndNonCausalHasNone) {
    // Two poles and no zeros: z^-2 / (1 - 0.25 z^-2).
    Zpk zpk;
    zpk.poles = {FComplex(0.5, 0), FComplex(-0.5, 0)};
    const FBiquad s = SosCascade::FromZpk(zpk)->sections.at(0);
    EXPECT_EQ(s.b[2].r, 1.0);
    EXPECT_EQ(s.b[0].r + s.b[1].r, 0.0);
    zpk.zeros = {FComplex(1, 0), FComplex(2, 0), FComplex(3, 0)};
    EXPECT_FALSE(SosCascade::FromZpk(zpk));
    // A complex root without its conjugate makes complex coefficients.
    EXPECT_FALSE(SosCascade::FromZpk(Zpk{{}, {FComplex(0.5, 0.5)}, 1.0})->IsReal());
}

} // namespace
