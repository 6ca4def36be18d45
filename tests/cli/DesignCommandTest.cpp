#include "core/FormatC.h"
#include "design/iir/FNotchPeakDesign.h"
#include "design/iir/FStandardDesign.h"
#include "design/requirement/MinimumOrder.h"
#include "persist/CDesignPersistence.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Each refused argument exits 2 with one line that names it (the rows' last word),
// followed by the usage.
TEST(DesignCommandTest, RefusedArgumentsAreNamedOnOneLine) {
    const std::vector<std::string> rows = {
        "--order 2 --corner 100 FAMILY",
        "fir lowpass --order 2 --corner 100 fir",
        "bessel lowpass --corner 100 --order",
        "bessel lowpass --order 41 --corner 100 41",
        "bessel lowpass --order 2.5 --corner 100 2.5",
        "bessel lowpass --order 2 --corner 4000 4000",
        "bessel bandpass --order 2 --corner 100 --corner2",
        "bessel bandstop --order 2 --corner 100 --corner2 100 --corner2",
        "chebyshev lowpass --order 2 --corner 100 --ripple 0 --ripple",
        "elliptic lowpass --order 2 --corner 100 --ripple 3 --attenuation 2 --attenuation",
        "butterworth lowpass --order 2 --corner 100 --ripple 1 --ripple",
        "butterworth --order 2 --corner 100 TYPE",
        "bessel lowpass --order 2 --corner 100 --norm group --norm",
        "butterworth lowpass --order 2 --corner 100 --norm mag --norm",
        "butterworth lowpass --order 2 --corner 100 --q 2 --q",
        // Minimum order.
        "bessel lowpass --passband 1000 --stopband 1500 bessel",
        "butterworth lowpass --passband 1000 --stopband",
        "butterworth lowpass --passband 1000 --stopband 1500 --order 3 --order",
        "butterworth lowpass --passband 1000 --stopband 900 --stopband",
        "butterworth lowpass --passband 1000 --stopband 4000 --stopband",
        "butterworth lowpass --passband 1000 --stopband 1e3x --stopband",
        "butterworth highpass --passband 0 --stopband 1500 --passband",
        "chebyshev bandpass --passband 1000 --stopband 500:2500 --passband",
        "chebyshev bandpass --passband 1000:2000 --stopband 1500:2500 --stopband",
        "elliptic bandstop --passband 1000:2000 --stopband 500:2500 --stopband",
        "elliptic lowpass --passband 1000:2000 --stopband 3000 --passband",
        "chebyshev2 lowpass --passband 1000 --stopband 1500 --ripple 0 --ripple",
        "chebyshev2 lowpass --passband 1000 --stopband 1500 --ripple 50 --attenuation",
        "chebyshev2 lowpass --passband 1000 --stopband 1500 --rate -8 --rate",
        // Notch and peak.
        "notch lowpass --corner 1000 --q 5 lowpass",
        "notch --corner 1000 --q 5 --order 2 --order",
        "peak --corner 1000 --q",
        "peak --corner 1000 --q 0.25 --q",
        "notch --corner 5000 --q 5 --corner",
        // Poles that round onto the unit circle.
        "elliptic bandpass --order 20 --corner 10 --corner2 15 --ripple 10 --attenuation 11 "
        "--order",
    };
    const std::string usage = Qen({"design", "--help"}).out;
    for (const std::string& row : rows) {
        std::istringstream words(row);
        std::vector<std::string> args = {"design"};
        for (std::string word; words >> word;) {
            args.push_back(word);
        }
        const std::string named = args.back();
        args.pop_back();
        const QenRun run = Qen(args);
        EXPECT_EQ(run.code, kExitUsage) << row;
        const std::string line = run.err.substr(0, run.err.find('\n') + 1);
        EXPECT_EQ(line.rfind("qen design: ", 0), 0u) << run.err;
        EXPECT_NE(line.find(named), std::string::npos) << run.err;
        EXPECT_EQ(run.err, line + usage);
    }
}

// Each command line writes what the generator it names designs, and a minimum order's
// file keeps the requirement.
TEST(DesignCommandTest, WritesTheGeneratedDesign) {
    using Family = FStandardDesign::Family;
    using Band = FStandardDesign::Band;
    const auto standard = [](const FStandardDesign& d) {
        Zpk zpk;
        EXPECT_EQ(d.Design(&zpk), FStandardDesign::Problem::None);
        return zpk;
    };
    const Requirement req{Band::Bandstop, {500, 3500}, {1000, 2000}, 0.5, 50};
    const FStandardDesign minimum = *MinimumOrderDesign(Family::Chebyshev, req, 11025);
    Zpk notch;
    ASSERT_EQ((FNotchPeakDesign{FNotchPeakDesign::Kind::Notch, 50, 30, 44100}.Design(&notch)),
              FNotchPeakDesign::Problem::None);
    const struct {
        std::vector<std::string> args;
        Zpk zpk;
        std::optional<Requirement> req;
    } rows[] = {
        {{"elliptic", "bandpass", "--order", "3", "--corner", "300", "--corner2", "3400", "--rate",
          "11025", "--ripple", "0.5", "--attenuation", "50"},
         standard({Family::Elliptic, Band::Bandpass, 3, 300, 3400, 11025, 0.5, 50}),
         std::nullopt},
        {{"bessel", "highpass", "--order", "40", "--corner", "3000", "--norm", "phase"},
         standard({Family::Bessel, Band::Highpass, 40, 3000, 0, 8000, 1, 40,
                   FStandardDesign::BesselNorm::Phase}),
         std::nullopt},
        {{"chebyshev", "bandstop", "--passband", "500:3500", "--stopband", "1000:2000", "--rate",
          "11025", "--ripple", "0.5", "--attenuation", "50"},
         standard(minimum),
         req},
        {{"notch", "--corner", "50", "--q", "30", "--rate", "44100"}, notch, std::nullopt},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = {"design"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const QenRun run = Qen(args);
        FNodeList expected;
        row.zpk.AddToNodeList(&expected);
        EXPECT_EQ(run.code, kExitOk) << run.err;
        EXPECT_EQ(run.out, CDesignPersistence::DesignText(expected, row.req));
        EXPECT_EQ(run.err, row.req ? FormatC("qen: order %d, corners %g and %g Hz\n", minimum.order,
                                             minimum.corner, minimum.corner2)
                                   : "");
    }
    // An order beyond the largest names the order it would need.
    const QenRun beyond =
        Qen({"design", "butterworth", "lowpass", "--passband", "1000", "--stopband", "1010"});
    EXPECT_EQ(beyond.code, kExitFailure);
    EXPECT_EQ(beyond.err, "qen: the requirement needs order 478; the largest is 40\n");
    EXPECT_EQ(beyond.out, "");
}

} // namespace
