#include "DesignFixtures.h"
#include "TestSupport.h"
#include "cli/CommandTable.h"
#include "core/FormatC.h"
#include "persist/CDesignPersistence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <complex>
#include <cstdio>
#include <regex>

namespace {

class QenToolTest : public testing::Test {
protected:
    void SetUp() override {
        design = dir.File("lp.pzd");
        WriteFileBytes(design, "VERSION=2.000000 \nDESIGN=ZPlane \nPOLECOUNT=1 \nZEROCOUNT=1 \n"
                               "P0=0.500000, 0.500000, 1 \nZ0=-1.000000, 0.000000, 0 \n");
        onePole = dir.File("one.pzd");
        WriteFileBytes(onePole, "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=1\nZEROCOUNT=0\n"
                                "P0=0.5, 0, 0\n");
        nonCausal = dir.File("nc.pzd");
        WriteFileBytes(nonCausal, "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=0\nZEROCOUNT=1\n"
                                  "Z0=0.5, 0, 0\n");
    }
    TempDir dir;
    std::string design, onePole, nonCausal;
};

size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::vector<std::complex<double>> ParsePoints(const std::string& text) {
    std::vector<std::complex<double>> points;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        double r = 0, i = 0;
        char j = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), "%lf%lf%c", &r, &i, &j), 3) << line;
        EXPECT_EQ(j, 'j');
        points.emplace_back(r, i);
    }
    return points;
}

TEST_F(QenToolTest, HelpAndVersion) {
    const QenRun help = Qen({"--help"});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_EQ(Qen({"help"}).out, help.out);
    for (const Command& c : Commands()) {
        EXPECT_NE(help.out.find("  qen " + std::string(c.synopsis) + "\n"), std::string::npos);
    }
    EXPECT_NE(Qen({"--version"}).out.find("2.0"), std::string::npos);
}

// Every command reads its words through the one option reader: the same line for the
// same mistake, followed by the command's usage; "--" ends the options; --help anywhere
// before it shows the usage.
TEST_F(QenToolTest, EveryCommandReadsItsCommandLineAlike) {
    for (const Command& c : Commands()) {
        const std::vector<std::string> operands(
            c.syntax.operands.size() + c.syntax.optionalOperands.size(), "x");
        const auto run = [&c, &operands](const std::vector<std::string>& words) {
            std::vector<std::string> args = {c.name};
            args.insert(args.end(), operands.begin(), operands.end());
            args.insert(args.end(), words.begin(), words.end());
            return Qen(args);
        };
        const auto expectMisuse = [&c](const QenRun& r, const std::string& problem) {
            EXPECT_EQ(r.code, kExitUsage) << c.name << ": " << problem;
            EXPECT_EQ(r.err, "qen " + std::string(c.name) + ": " + problem + "\n" + c.Usage());
            EXPECT_EQ(r.out, "");
        };
        expectMisuse(run({"--bogus"}), "unknown option --bogus");
        expectMisuse(run({"-x.wav"}), "unknown option -x.wav");
        expectMisuse(run({"--", "--help"}), "unexpected argument --help");
        for (const std::string option : c.syntax.valueOptions) {
            expectMisuse(run({option}), "option " + option + " needs a value");
            expectMisuse(run({option, "1", option + "=1"}), "option " + option + " given twice");
        }
        for (const std::string flag : c.syntax.flags) {
            expectMisuse(run({flag + "=no"}), "option " + flag + " takes no value");
        }
        const QenRun none = Qen({c.name});
        EXPECT_EQ(none.code, kExitUsage);
        EXPECT_EQ(none.err.rfind("qen " + std::string(c.name) + ": give ", 0), 0u) << none.err;
        for (const QenRun& help : {Qen({c.name, "-h"}), run({"--help", "--bogus"})}) {
            EXPECT_EQ(help.code, kExitOk);
            EXPECT_EQ(help.out, c.Usage());
        }
    }
    // After "--" a word that starts with a dash is a file.
    const QenRun dashed = Qen({"hz", "--", "-x.pzd"});
    EXPECT_EQ(dashed.code, kExitFailure);
    EXPECT_EQ(dashed.err.rfind("qen: -x.pzd: cannot read", 0), 0u) << dashed.err;
}

// A refused value is named with the value given, in one phrasing for every command.
TEST_F(QenToolTest, RefusedValuesAreNamedWithTheValueGiven) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{}, "qen: no command given"},
        {{"frobnicate", design}, "qen: unknown command frobnicate"},
        {{"info", design, "--units", "furlongs"},
         "qen info: --units furlongs: must be cartesian, degrees or radians"},
        {{"freq", design, "--resolution", "0"},
         "qen freq: --resolution 0: must be a whole number from 1 to 1000000"},
        {{"freq", design, "--resolution", "12x"},
         "qen freq: --resolution 12x: must be a whole number from 1 to 1000000"},
        {{"impulse", design}, "qen impulse: give either --count or --duration"},
        {{"impulse", design, "--count", "5", "--duration", "1"},
         "qen impulse: give either --count or --duration"},
        {{"impulse", design, "--count", "-1"},
         "qen impulse: --count -1: must be a whole number from 0 to 1000000"},
        {{"impulse", design, "--count", "1000001"},
         "qen impulse: --count 1000001: must be a whole number from 0 to 1000000"},
        {{"step", design, "--duration", "nan"},
         "qen step: --duration nan: must be a number of milliseconds"},
        {{"step", design, "--duration", "1e12"},
         "qen step: --duration 1e12: must span from 0 to 1000000 samples"},
        {{"step", design, "--duration", "1", "--rate", "0"},
         "qen step: --rate 0: must be a whole number from 1 to 10000000"},
        {{"ramp", design, "--count", "3", "--rate", "8000"},
         "qen ramp: --rate goes with --duration only"},
        {{"sos", design, "--format", "xml"}, "qen sos: --format xml: must be text or json"},
        {{"delay", design, "--rate", "+5"},
         "qen delay: --rate +5: must be a whole number from 1 to 10000000"},
        {{"filter", design, design, design, "--quantize", "nearest"},
         "qen filter: --quantize nearest: must be truncate, round or tpdf"},
        {{"filter", design, design, design, "--seed", "-1"},
         "qen filter: --seed -1: must be a whole number from 0 to 18446744073709551615"},
        {{"play", "--list-devices", design}, "qen play: --list-devices takes no files"},
        {{"sos", design, "--scale", "rms"}, "qen sos: --scale rms: must be none or peak"},
        {{"sos", design, "--scale", "peak", "--normalize"},
         "qen sos: --normalize goes with --scale none only"},
        {{"info", design, "--arith", "q7"}, "qen info: --arith q7: must be f64, f32, q15 or q31"},
        {{"export", design}, "qen export: --format is required"},
        {{"export", design, "--format", "rust"},
         "qen export: --format rust: must be c, python, json or csv"},
        {{"export", design, "--format", "c", "--name", "1x"},
         "qen export: --name 1x: must be a C identifier: letters, digits and _, not first a "
         "digit"},
        {{"import"}, "qen import: give either --ba FILE or --sos FILE"},
    };
    for (const auto& [args, line] : rows) {
        const QenRun run = Qen(args);
        EXPECT_EQ(run.code, kExitUsage) << line;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), line);
        EXPECT_NE(run.err.find("\nUsage: qen"), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
}

TEST_F(QenToolTest, BadDesignFilesFailWithOneLine) {
    WriteFileBytes(dir.File("trunc.pzd"), "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=3\nZEROCOUNT=0\n"
                                          "P0=0.5, 0, 0\n");
    WriteFileBytes(dir.File("huge.pzd"), "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=2000000000\n"
                                         "ZEROCOUNT=0\n");
    WriteFileBytes(dir.File("inf.pzd"), "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=1\nZEROCOUNT=0\n"
                                        "P0=inf, 0, 0\n");
    WriteFileBytes(dir.File("binary.pzd"), std::string("\x00\xff\x01VERSION", 10));
    for (const std::string& path :
         {dir.File("missing.pzd"), dir.File("trunc.pzd"), dir.File("huge.pzd"), dir.File("inf.pzd"),
          dir.File("binary.pzd"), dir.Path()}) {
        const QenRun run = Qen({"freq", path});
        EXPECT_EQ(run.code, kExitFailure) << path;
        EXPECT_EQ(Lines(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find(path), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
}

TEST_F(QenToolTest, InfoListsNodesInTheChosenUnits) {
    const QenRun run = Qen({"info", design, "--units", "cartesian"});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(run.out, "Poles: 2 (1 node)\nZeros: 1 (1 node)\nCausal: yes\nstable: yes\n"
                       "Pole 0: 0.5000 +0.5000j, conjugate pair\n"
                       "Zero 0: -1.0000 +0.0000j, single\n");
    const QenRun degrees = Qen({"info", nonCausal});
    EXPECT_NE(degrees.out.find("Causal: no"), std::string::npos);
    EXPECT_NE(degrees.out.find("Zero 0: 0.5000 0.0000 deg, single"), std::string::npos);
}

TEST_F(QenToolTest, DelayLinesAtTheFrequenciesOfFreq) {
    // A pole at 0.5 and a zero at -1: the delay is 1 / (1 - 0.5 e^-jw)'s slope plus the
    // zero's constant -1/2, undefined at half the rate where the zero lies.
    const QenRun run = Qen({"delay", design, "--resolution", "4", "--rate", "1000"});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    const std::complex<double> p(0.5, 0.5);
    const double atZero = 2 * (1.0 / (1.0 - p)).real() - 0.5;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "0.000000 " + FormatC("%.10g", atZero));
    EXPECT_EQ(run.out.substr(run.out.size() - 15), "500.000000 nan\n");
    EXPECT_NE(run.out.find("\n125.000000 "), std::string::npos);
    EXPECT_EQ(Lines(Qen({"delay", design}).out), 1024u);
}

TEST_F(QenToolTest, TextFilesMatchTheDialogs) {
    const QenRun hz = Qen({"hz", onePole});
    ASSERT_EQ(hz.code, kExitOk);
    EXPECT_EQ(hz.out, "H(z) = +1.0000 \n      ---------\n       +1.0000*z -0.5000 \n");
    const QenRun de = Qen({"de", onePole, "-o", dir.File("out.de")});
    ASSERT_EQ(de.code, kExitOk);
    EXPECT_TRUE(de.out.empty());
    EXPECT_EQ(ReadFileBytes(dir.File("out.de")),
              "y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] \n\t+0.5000*y[n-1] ");
    const QenRun refused = Qen({"de", nonCausal, "-o", dir.File("nc.de")});
    EXPECT_EQ(refused.code, kExitFailure);
    EXPECT_NE(refused.err.find("Can't show difference equation of non-causal IIR Filter"),
              std::string::npos);
    EXPECT_TRUE(ReadFileBytes(dir.File("nc.de")).empty());
    EXPECT_EQ(Qen({"impulse", nonCausal, "--count", "4"}).code, kExitFailure);
    // The sections are refused as the difference equation is.
    EXPECT_EQ(Qen({"sos", nonCausal}).err, refused.err);
}

TEST_F(QenToolTest, FrequencyPointsAgreeWithTheRootProduct) {
    const QenRun run = Qen({"freq", design, "--resolution", "64"});
    ASSERT_EQ(run.code, kExitOk);
    const auto points = ParsePoints(run.out);
    ASSERT_EQ(points.size(), 65u);
    const std::complex<double> pole(0.5, 0.5);
    for (size_t k = 0; k < points.size(); ++k) {
        const std::complex<double> z = std::polar(1.0, k * 3.141592653589793 / 64);
        const std::complex<double> h = (z + 1.0) / ((z - pole) * (z - std::conj(pole)));
        EXPECT_NEAR(std::abs(points[k] - h), 0.0, 1e-9 * std::abs(h) + 1e-15) << k;
    }
    EXPECT_EQ(Lines(Qen({"freq", design}).out), 1024u);
}

// The rows of qen sos text, six numbers each.
std::vector<std::array<long double, 6>> ParseSections(const std::string& text) {
    std::vector<std::array<long double, 6>> rows;
    std::istringstream in(text);
    for (std::array<long double, 6> r{}; in >> r[0] >> r[1] >> r[2] >> r[3] >> r[4] >> r[5];) {
        rows.push_back(r);
    }
    return rows;
}

TEST_F(QenToolTest, SectionsMultiplyToTheFrequencyPoints) {
    const std::string clustered = dir.File("clustered.pzd");
    const FNodeList list = ClusteredDesign(8, 0.99, 1.0, 0.02, 6);
    ASSERT_TRUE(CDesignPersistence::SaveNodeListToFile(clustered.c_str(), &list));
    const QenRun sos = Qen({"sos", clustered});
    ASSERT_EQ(sos.code, kExitOk) << sos.err;
    const auto sections = ParseSections(sos.out);
    ASSERT_EQ(sections.size(), 8u);
    const auto points = ParsePoints(Qen({"freq", clustered, "--resolution", "511"}).out);
    ASSERT_EQ(points.size(), 512u);
    const auto product = [](const std::vector<std::array<long double, 6>>& rows, double omega) {
        const std::complex<long double> w = std::polar(1.0L, -static_cast<long double>(omega));
        std::complex<long double> h = 1.0L;
        for (const auto& c : rows) {
            EXPECT_EQ(c[3], 1.0L);
            h *= (c[0] + c[1] * w + c[2] * w * w) / (c[3] + c[4] * w + c[5] * w * w);
        }
        return h;
    };
    double peak = 0.0;
    for (const auto& p : points) {
        peak = std::max(peak, std::abs(p));
    }
    for (size_t k = 0; k < points.size(); ++k) {
        const std::complex<long double> h = product(sections, k * kPi / 511);
        EXPECT_LT(std::abs(std::complex<double>(h) - points[k]), 1e-10 * peak) << k;
    }
    // JSON holds the same numbers.
    std::string json = "{\"sos\": [";
    std::istringstream lines(sos.out);
    for (std::string line; std::getline(lines, line);) {
        json += (json.back() == '[' ? "[" : ", [") +
                std::regex_replace(line, std::regex(" "), ", ") + "]";
    }
    EXPECT_EQ(Qen({"sos", clustered, "--format", "json"}).out, json + "]}\n");
    // --normalize scales the first section to a peak of 1 (the peak gain itself is tested
    // elsewhere): not below the sampled peak.
    const auto unit = ParseSections(Qen({"sos", clustered, "--normalize"}).out);
    const double scaledPeak = static_cast<double>(unit[0][2] / sections[0][2]) * peak;
    EXPECT_TRUE(scaledPeak <= 1.0 + 1e-9 && scaledPeak > 0.9) << scaledPeak;
}

// --arith shows the design as an arithmetic runs it: f64 is the design itself; in q15 the
// low-pass at 5 Hz of 192 kHz has a pole on the unit circle.
TEST_F(QenToolTest, ArithmeticsInInfoAndFreq) {
    const std::string lowpass = dir.File("lowpass.pzd");
    ASSERT_EQ(Qen({"design", "chebyshev", "lowpass", "--order", "20", "--corner", "5", "--rate",
                   "192000", "-o", lowpass})
                  .code,
              kExitOk);
    const std::string info = Qen({"info", lowpass, "--arith", "q15"}).out;
    EXPECT_NE(info.find("stable: yes\n"), std::string::npos);
    EXPECT_NE(info.find("\nq15: 10 peak-scaled sections, post-shift 2\n"
                        "q15 stable: no (largest pole radius 1)\n"),
              std::string::npos);
    const auto exact = ParsePoints(Qen({"freq", design, "--resolution", "64"}).out);
    const auto f64 = ParsePoints(Qen({"freq", design, "--resolution", "64", "--arith", "f64"}).out);
    ASSERT_EQ(f64.size(), exact.size());
    for (size_t k = 0; k < exact.size(); ++k) {
        EXPECT_LT(std::abs(f64[k] - exact[k]), 1e-12 * (1 + std::abs(exact[k]))) << k;
    }
    EXPECT_EQ(Qen({"freq", nonCausal, "--arith", "f32"}).err,
              "qen: " + nonCausal + ": Can't show difference equation of non-causal IIR Filter\n");
}

TEST_F(QenToolTest, TimeResponsesByCountAndDuration) {
    const QenRun impulse = Qen({"impulse", onePole, "--count", "5"});
    ASSERT_EQ(impulse.code, kExitOk);
    const auto points = ParsePoints(impulse.out);
    ASSERT_EQ(points.size(), 5u);
    const double expected[] = {0.0, 1.0, 0.5, 0.25, 0.125};
    for (size_t n = 0; n < 5; ++n) {
        EXPECT_EQ(points[n].real(), expected[n]);
    }
    EXPECT_EQ(Lines(Qen({"step", onePole, "--duration", "1", "--rate", "44100"}).out), 45u);
    EXPECT_EQ(Lines(Qen({"ramp", onePole, "--count", "0"}).out), 0u);
}

TEST_F(QenToolTest, OutputFileIsReplacedOnlyOnSuccess) {
    const std::string out = dir.File("keep.pts");
    WriteFileBytes(out, "old");
    EXPECT_EQ(Qen({"freq", dir.File("missing.pzd"), "-o", out}).code, kExitFailure);
    EXPECT_EQ(ReadFileBytes(out), "old");
    const QenRun unwritable = Qen({"freq", design, "-o", dir.File("no/dir/f.pts")});
    EXPECT_EQ(unwritable.code, kExitFailure);
    EXPECT_EQ(Lines(unwritable.err), 1u);
    EXPECT_EQ(Qen({"freq", design, "--resolution", "3", "-o", out}).code, kExitOk);
    EXPECT_EQ(Lines(ReadFileBytes(out)), 4u);
}

TEST_F(QenToolTest, CommaLocaleChangesNothing) {
    CommaLocale comma;
    if (!comma.Active()) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    EXPECT_EQ(Lines(Qen({"step", design, "--duration", "2.5"}).out), 21u);
    EXPECT_EQ(Qen({"hz", onePole}).out,
              "H(z) = +1.0000 \n      ---------\n       +1.0000*z -0.5000 \n");
}

} // namespace
