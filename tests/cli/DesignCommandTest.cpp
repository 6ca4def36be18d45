#include "analysis/FStandardDesign.h"
#include "persist/CDesignPersistence.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Each refused argument exits 2 with one line that names it.
TEST(DesignCommandTest, RefusedArgumentsAreNamedOnOneLine) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"lowpass", "--order", "2", "--corner", "100"}, "FAMILY"},
        {{"fir", "lowpass", "--order", "2", "--corner", "100"}, "fir"},
        {{"bessel", "allpass", "--order", "2", "--corner", "100"}, "allpass"},
        {{"bessel", "lowpass", "--corner", "100"}, "--order"},
        {{"bessel", "lowpass", "--order", "21", "--corner", "100"}, "--order 21"},
        {{"bessel", "lowpass", "--order", "0", "--corner", "100"}, "--order 0"},
        {{"bessel", "lowpass", "--order", "2"}, "--corner"},
        {{"bessel", "lowpass", "--order", "2", "--corner", "0"}, "--corner 0"},
        {{"bessel", "lowpass", "--order", "2", "--corner", "4000"}, "--corner 4000"},
        {{"bessel", "lowpass", "--order", "2", "--corner", "20000", "--rate", "44100"}, ""},
        {{"bessel", "bandpass", "--order", "2", "--corner", "100"}, "--corner2"},
        {{"bessel", "bandstop", "--order", "2", "--corner", "100", "--corner2", "100"},
         "--corner2 100"},
        {{"bessel", "lowpass", "--order", "2", "--corner", "100", "--corner2", "200"}, "--corner2"},
        {{"chebyshev", "lowpass", "--order", "2", "--corner", "100", "--ripple", "0"},
         "--ripple 0"},
        {{"chebyshev", "lowpass", "--order", "2", "--corner", "100", "--ripple", "inf"},
         "--ripple inf"},
        {{"elliptic", "lowpass", "--order", "2", "--corner", "100", "--attenuation", "1"},
         "--attenuation 1"},
        {{"elliptic", "lowpass", "--order", "2", "--corner", "100", "--ripple", "3",
          "--attenuation", "2"},
         "--attenuation 2"},
        {{"butterworth", "lowpass", "--order", "2", "--corner", "100", "--ripple", "1"},
         "--ripple"},
        {{"bessel", "lowpass", "--order", "2", "--corner", "100", "--rate", "0"}, "--rate 0"},
    };
    for (const auto& [tail, named] : rows) {
        std::vector<std::string> args = {"design"};
        args.insert(args.end(), tail.begin(), tail.end());
        const QenRun run = Qen(args);
        const bool valid = named.empty();
        EXPECT_EQ(run.code, valid ? kExitOk : kExitUsage) << named;
        if (!valid) {
            EXPECT_EQ(run.err.rfind("qen design: ", 0), 0u) << run.err;
            EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_TRUE(run.out.empty());
        }
    }
}

TEST(DesignCommandTest, WritesTheGeneratedDesign) {
    TempDir dir;
    const std::string path = dir.File("bp.pzd");
    ASSERT_EQ(Qen({"design", "elliptic", "bandpass", "--order", "3", "--corner", "300", "--corner2",
                   "3400", "--rate", "11025", "--ripple", "0.5", "--attenuation", "50", "-o", path})
                  .code,
              kExitOk);
    FStandardDesign d;
    d.family = FStandardDesign::Family::Elliptic;
    d.band = FStandardDesign::Band::Bandpass;
    d.order = 3;
    d.corner = 300;
    d.corner2 = 3400;
    d.rate = 11025;
    d.rippleDb = 0.5;
    d.attenuationDb = 50;
    FNodeList expected;
    ASSERT_TRUE(d.Design(&expected));
    EXPECT_EQ(ReadFileBytes(path), CDesignPersistence::DesignText(expected));
    EXPECT_NE(Qen({"design", "--help"}).out.find("rate is not part of a design file"),
              std::string::npos);
}

} // namespace
