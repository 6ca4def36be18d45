#include "analysis/FStandardDesign.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>

namespace {

using Cpx = std::complex<double>;
using Design = FStandardDesign;
using Family = Design::Family;
using Band = Design::Band;

// Largest distance from a reference root to its nearest unused root of got; 1e300 when
// the counts differ.
double RootDistance(const std::vector<Cpx>& reference, std::vector<Cpx> got) {
    if (reference.size() != got.size()) {
        return 1e300;
    }
    double worst = 0.0;
    for (const Cpx r : reference) {
        auto nearest = got.begin();
        for (auto it = got.begin(); it != got.end(); ++it) {
            nearest = std::abs(*it - r) < std::abs(*nearest - r) ? it : nearest;
        }
        worst = std::max(worst, std::abs(*nearest - r));
        got.erase(nearest);
    }
    return worst;
}

// The reference file holds scipy.signal's zeros and poles (output='zpk', fs=rate, Bessel
// with norm='mag') for every family and type at a few orders.
TEST(FStandardDesignTest, RootsAgreeWithTheReferenceDesigns) {
    const std::map<std::string, Family> families = {{"butterworth", Family::Butterworth},
                                                    {"chebyshev", Family::Chebyshev},
                                                    {"chebyshev2", Family::InverseChebyshev},
                                                    {"bessel", Family::Bessel},
                                                    {"elliptic", Family::Elliptic}};
    const std::map<std::string, Band> bands = {{"lowpass", Band::Lowpass},
                                               {"highpass", Band::Highpass},
                                               {"bandpass", Band::Bandpass},
                                               {"bandstop", Band::Bandstop}};
    std::ifstream in(WINQEN_TEST_DATA "/StandardDesigns.txt");
    ASSERT_TRUE(in.is_open());
    std::vector<std::pair<Design, std::string>> designs;
    std::vector<Cpx> zeros, poles;
    int checked = 0;
    const auto check = [&] {
        if (designs.empty()) {
            return;
        }
        FNodeList list;
        ASSERT_TRUE(designs.back().first.Design(&list)) << designs.back().second;
        EXPECT_LT(RootDistance(zeros, Roots(list, kNodeZero)), 1e-9) << designs.back().second;
        EXPECT_LT(RootDistance(poles, Roots(list, kNodePole)), 1e-9) << designs.back().second;
        zeros.clear();
        poles.clear();
        ++checked;
    };
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag, family, band;
        fields >> tag;
        if (tag == "D") {
            check();
            Design d;
            fields >> family >> band >> d.order >> d.rate >> d.corner >> d.corner2 >> d.rippleDb >>
                d.attenuationDb;
            d.family = families.at(family);
            d.band = bands.at(band);
            designs.emplace_back(d, line);
        } else if (tag == "Z" || tag == "P") {
            double re = 0, im = 0;
            fields >> re >> im;
            (tag == "Z" ? zeros : poles).emplace_back(re, im);
        }
    }
    check();
    EXPECT_EQ(checked, 5 * 4 * 3);
}

// The defining property of each family, read off the frequency response: gains are
// relative to the gain where the prototype has s = 0, the corners are where it has
// s = j, and every pole lies inside the unit circle.
TEST(FStandardDesignTest, ResponsesHaveTheirFamilyDefiningProperties) {
    const double pi = std::numbers::pi;
    for (const Family family : {Family::Butterworth, Family::Chebyshev, Family::InverseChebyshev,
                                Family::Bessel, Family::Elliptic}) {
        for (const Band band : {Band::Lowpass, Band::Highpass, Band::Bandpass, Band::Bandstop}) {
            for (const int order : {1, 2, 5, 10, 20}) {
                Design d;
                d.family = family;
                d.band = band;
                d.order = order;
                d.rate = 44100;
                d.corner = 3000;
                d.corner2 = 7000;
                d.rippleDb = 0.5;
                d.attenuationDb = 50;
                FNodeList list;
                ASSERT_TRUE(d.Design(&list));
                const std::string row = std::to_string(int(family)) + "/" +
                                        std::to_string(int(band)) + "/" + std::to_string(order);
                for (const Cpx p : Roots(list, kNodePole)) {
                    EXPECT_LT(std::abs(p), 1.0) << row;
                }
                const auto gain = [&](double hz) {
                    return std::abs(ReferenceH(list, std::polar(1.0, 2 * pi * hz / d.rate)));
                };
                const double w1 = std::tan(pi * d.corner / d.rate);
                const double w2 = std::tan(pi * d.corner2 / d.rate);
                const double centre = std::atan(std::sqrt(w1 * w2)) * d.rate / pi;
                const double dc = band == Band::Highpass   ? d.rate / 2
                                  : band == Band::Bandpass ? centre
                                                           : 0.0;
                const double reference = gain(dc);
                const double edge = gain(d.corner) / reference;
                // The passband from the s = 0 point to the first corner.
                double lowest = 1.0, highest = 1.0;
                for (int k = 0; k <= 400; ++k) {
                    const double g = gain(dc + (d.corner - dc) * k / 400.0) / reference;
                    lowest = std::min(lowest, g);
                    highest = std::max(highest, g);
                }
                switch (family) {
                case Family::Butterworth:
                case Family::Bessel:
                    EXPECT_NEAR(edge, std::sqrt(0.5), 1e-9) << row;
                    break;
                case Family::Chebyshev:
                case Family::Elliptic: {
                    // Equiripple: the passband stays within the ripple below its peak,
                    // which an even order reaches between the ripples, and meets the
                    // bottom of the ripple band at the corner.
                    const double floor = std::pow(10.0, -d.rippleDb / 20);
                    const double peak = order % 2 == 1 ? 1.0 : 1.0 / floor;
                    EXPECT_LE(highest, peak * (1 + 1e-9)) << row;
                    EXPECT_GE(lowest, peak * (floor - 1e-9)) << row;
                    EXPECT_NEAR(edge / peak, floor, 1e-9) << row;
                    break;
                }
                case Family::InverseChebyshev:
                    EXPECT_NEAR(edge, std::pow(10.0, -d.attenuationDb / 20), 1e-9) << row;
                    break;
                }
                if (Design::IsBand(band)) {
                    EXPECT_NEAR(gain(d.corner2) / reference, edge, 1e-9) << row;
                }
            }
        }
    }
}

} // namespace
