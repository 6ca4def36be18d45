#include "design/iir/FStandardDesign.h"
#include "persist/CDesignPersistence.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Each refused argument exits 2 with one line that names it (the rows' last word),
// followed by the usage.
TEST(DesignCommandTest, RefusedArgumentsAreNamedOnOneLine) {
    const std::vector<std::string> rows = {
        "lowpass --order 2 --corner 100 FAMILY",
        "fir lowpass --order 2 --corner 100 fir",
        "bessel lowpass --corner 100 --order",
        "bessel lowpass --order 21 --corner 100 21",
        "bessel lowpass --order 2.5 --corner 100 2.5",
        "bessel lowpass --order 2 --corner 4000 4000",
        "bessel bandpass --order 2 --corner 100 --corner2",
        "bessel bandstop --order 2 --corner 100 --corner2 100 --corner2",
        "chebyshev lowpass --order 2 --corner 100 --ripple 0 --ripple",
        "elliptic lowpass --order 2 --corner 100 --ripple 3 --attenuation 2 --attenuation",
        "butterworth lowpass --order 2 --corner 100 --ripple 1 --ripple",
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

TEST(DesignCommandTest, WritesTheGeneratedDesign) {
    const QenRun run =
        Qen({"design", "elliptic", "bandpass", "--order", "3", "--corner", "300", "--corner2",
             "3400", "--rate", "11025", "--ripple", "0.5", "--attenuation", "50"});
    const FStandardDesign d{FStandardDesign::Family::Elliptic,
                            FStandardDesign::Band::Bandpass,
                            3,
                            300,
                            3400,
                            11025,
                            0.5,
                            50};
    Zpk zpk;
    ASSERT_EQ(d.Design(&zpk), FStandardDesign::Problem::None);
    FNodeList expected;
    zpk.AddToNodeList(&expected);
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_EQ(run.out, CDesignPersistence::DesignText(expected));
}

} // namespace
