#include "design/iir/FStandardDesign.h"

#include "DesignFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Cpx = std::complex<double>;
using Design = FStandardDesign;
using Family = Design::Family;
using Band = Design::Band;

// The reference file holds scipy.signal's zeros and poles (output='zpk', fs=rate) for
// every family and type at orders 1 to 40, and for Bessel's three normalisations.
TEST(FStandardDesignTest, RootsAgreeWithTheReferenceDesigns) {
    const std::vector<Reference> references =
        ReadReferences(WINQEN_TEST_DATA "/StandardDesigns.txt", "D");
    ASSERT_EQ(references.size(), 5u * 4 * 3 + 2 * 4 * 2 + 5 * 4);
    for (const Reference& r : references) {
        const std::vector<double>& h = r.header;
        const Design d{Family(h[0]), Band(h[1]), int(h[2]),
                       h[4],         h[5],       h[3],
                       h[6],         h[7],       Design::BesselNorm(h[8])};
        Zpk zpk;
        ASSERT_EQ(d.Design(&zpk), Design::Problem::None) << r.line;
        // The gain follows from the roots, which agree to 1e-9; at order 20 in a narrow
        // band that leaves the gain 1e-8 apart.
        const double gain = r.values.at("K").at(0);
        EXPECT_NEAR(zpk.gain, gain, 1e-7 * std::abs(gain)) << r.line;
        FNodeList list;
        zpk.AddToNodeList(&list);
        EXPECT_LT(RootDistance(r.zeros, Roots(list, kNodeZero)), 1e-9) << r.line;
        EXPECT_LT(RootDistance(r.poles, Roots(list, kNodePole)), 1e-9) << r.line;
    }
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
                const Design d{family, band, order, 3000, 7000, 44100, 0.5, 50};
                Zpk zpk;
                ASSERT_EQ(d.Design(&zpk), Design::Problem::None);
                FNodeList list;
                zpk.AddToNodeList(&list);
                SCOPED_TRACE(testing::Message() << int(family) << "/" << int(band) << "/" << order);
                EXPECT_TRUE(std::ranges::all_of(Roots(list, kNodePole),
                                                [](Cpx p) { return std::abs(p) < 1.0; }));
                const auto gain = [&](double hz) {
                    return std::abs(ReferenceH(list, std::polar(1.0, 2 * pi * hz / d.rate)));
                };
                // The band-pass centre: the geometric mean of the prewarped corners.
                const double w0 =
                    std::sqrt(std::tan(pi * d.corner / d.rate) * std::tan(pi * d.corner2 / d.rate));
                const double dc = band == Band::Highpass   ? d.rate / 2
                                  : band == Band::Bandpass ? std::atan(w0) * d.rate / pi
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
                    EXPECT_NEAR(edge, std::sqrt(0.5), 1e-9);
                    break;
                case Family::Chebyshev:
                case Family::Elliptic: {
                    // Equiripple: the passband stays within the ripple below its peak,
                    // which an even order reaches between the ripples, and meets the
                    // bottom of the ripple band at the corner.
                    const double floor = std::pow(10.0, -d.rippleDb / 20);
                    const double peak = order % 2 == 1 ? 1.0 : 1.0 / floor;
                    EXPECT_LE(highest, peak * (1 + 1e-9));
                    EXPECT_GE(lowest, peak * (floor - 1e-9));
                    EXPECT_NEAR(edge / peak, floor, 1e-9);
                    break;
                }
                case Family::InverseChebyshev:
                    EXPECT_NEAR(edge, std::pow(10.0, -d.attenuationDb / 20), 1e-9);
                    break;
                }
                if (Design::IsBand(band)) {
                    EXPECT_NEAR(gain(d.corner2) / reference, edge, 1e-9);
                }
            }
        }
    }
}

} // namespace
