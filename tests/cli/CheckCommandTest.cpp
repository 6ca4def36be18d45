#include "TestSupport.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

// A minimum-order design meets the requirement its file keeps; the options state
// another, which it just meets or just misses by 0.01 dB; without either the check is a
// usage error.
TEST(CheckCommandTest, ReportsEveryBandAndExitsByTheVerdict) {
    TempDir dir;
    const std::string path = dir.File("lp.pzd");
    ASSERT_EQ(Qen({"design", "elliptic", "lowpass", "--passband", "1000", "--stopband", "1500",
                   "-o", path})
                  .code,
              kExitOk);
    const QenRun kept = Qen({"check", path});
    EXPECT_EQ(kept.code, kExitOk) << kept.err;
    const std::regex lines("passband 0-1000 Hz: loss ([0-9.]+) dB \\(limit 1 dB, margin ([0-9.]+) "
                           "dB\\)\nstopband 1500-4000 Hz: attenuation ([0-9.]+) dB \\(limit 40 "
                           "dB, margin [0-9.]+ dB\\)\nMeets specification\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(kept.out, match, lines)) << kept.out;
    EXPECT_EQ(match[2], "0");
    const double loss = std::stod(match[1]);
    const double attenuation = std::stod(match[3]);
    const std::string lowpass[] = {"lowpass", "--passband", "1000", "--stopband", "1500"};
    const auto check = [&](double ripple, double atten) {
        std::vector<std::string> args = {"check", path};
        args.insert(args.end(), std::begin(lowpass), std::end(lowpass));
        for (const std::string& word : {std::string("--ripple"), std::to_string(ripple),
                                        std::string("--attenuation"), std::to_string(atten)}) {
            args.push_back(word);
        }
        return Qen(args);
    };
    EXPECT_EQ(check(loss + 0.01, attenuation - 0.01).code, kExitOk);
    const QenRun passband = check(loss - 0.01, attenuation - 0.01);
    EXPECT_EQ(passband.code, kExitFailure);
    EXPECT_NE(passband.out.find("\nPassband short by 0.01 dB\n"), std::string::npos);
    const QenRun stopband = check(loss + 0.01, attenuation + 0.01);
    EXPECT_EQ(stopband.code, kExitFailure);
    EXPECT_NE(stopband.out.find("\nStopband short by 0.01 dB\n"), std::string::npos);
    // Without a requirement, or with one the rate cannot hold.
    const std::string bare = dir.File("bare.pzd");
    ASSERT_EQ(
        Qen({"design", "butterworth", "lowpass", "--order", "2", "--corner", "500", "-o", bare})
            .code,
        kExitOk);
    const std::pair<std::vector<std::string>, std::string> misuses[] = {
        {{"check", bare}, "qen check: " + bare + " keeps no requirement"},
        {{"check", path, "--ripple", "2"}, "qen check: --ripple needs a TYPE before it"},
        {{"check", path, "--rate", "2000"}, "qen check: --rate 2000: the requirement of"},
        {{"check", path, "allpass"}, "qen check: unknown type allpass"},
    };
    for (const auto& [args, line] : misuses) {
        const QenRun run = Qen(args);
        EXPECT_EQ(run.code, kExitUsage) << line;
        EXPECT_EQ(run.err.rfind(line, 0), 0u) << run.err;
    }
}

} // namespace
