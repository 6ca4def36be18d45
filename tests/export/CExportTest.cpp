#include "export/CExport.h"

#include "DesignFixtures.h"
#include "TestSupport.h"
#include "audio/AudioFixtures.h"
#include "persist/CDesignPersistence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <regex>

namespace {

// Reads the raw samples of argv[1], filters them in blocks of uneven sizes and writes
// them to argv[2]. A second file includes the header without using it.
constexpr const char* kDriver = R"(#include <stdio.h>
#include "flt.h"
int main(int argc, char **argv)
{
    static TYPE buffer[1 << 16];
    size_t n, done = 0, block = 1;
    flt_state state;
    FILE *in = argc == 3 ? fopen(argv[1], "rb") : NULL, *out = in ? fopen(argv[2], "wb") : NULL;
    if (!out) {
        return 1;
    }
    n = fread(buffer, sizeof buffer[0], sizeof buffer / sizeof buffer[0], in);
    flt_init(&state);
    for (; done < n; done += block, block = block * 3 % 1001) {
        block = block < n - done ? block : n - done;
        flt_process(&state, buffer + done, buffer + done, block);
    }
    return fwrite(buffer, sizeof buffer[0], n, out) == n && fclose(out) == 0 ? 0 : 1;
}
)";
constexpr const char* kUnused =
    "#include \"flt.h\"\nint unused(void);\nint unused(void) { return 0; }\n";

// The bytes of samples, or samples of bytes.
template <typename To, typename From> To Copied(const From& from) {
    To to(from.size() * sizeof(from[0]) / sizeof(to[0]), {});
    std::memcpy(to.data(), from.data(), to.size() * sizeof(to[0]));
    return to;
}

// Half-scale noise, then a full-scale sine and a full-scale square wave that overflow
// the sections, in the units of T: full scale is 1 for floating point.
template <typename T> std::vector<T> Input() {
    const double full = std::is_floating_point_v<T> ? 1.0 : std::numeric_limits<T>::max();
    std::mt19937 rng(20);
    std::uniform_real_distribution<double> noise(-0.5, 0.5);
    std::vector<T> x;
    for (int n = 0; n < 12000; ++n) {
        const double v = n < 4000   ? noise(rng)
                         : n < 8000 ? std::sin(0.35 * n)
                                    : ((n / 37) % 2 == 0 ? 1.0 : -1.0);
        x.push_back(static_cast<T>(std::is_floating_point_v<T> ? v : std::round(v * full)));
    }
    return x;
}

class CExport : public ::testing::Test {
protected:
    void SetUp() override {
        mZpk = StandardDesign(FStandardDesign::Family::Elliptic, FStandardDesign::Band::Lowpass, 6,
                              400);
        FNodeList list;
        mZpk.AddToNodeList(&list);
        WriteFileBytes(mDesign, CDesignPersistence::DesignText(list));
    }

    // The samples qen filter --arith writes for x in a mono WAV file of the given
    // format tag, and those the exported header's code makes of them.
    template <typename T>
    void Run(const char* arithmetic, int tag, std::vector<T>* filtered, std::vector<T>* exported) {
        const std::vector<T> x = Input<T>();
        const int bits = 8 * sizeof(T);
        WriteFileBytes(dir.File("in.wav"),
                       WavFile(WavFormat(1, bits, 8000, tag), "", Copied<std::string>(x)));
        const QenRun filter = Qen({"filter", mDesign, dir.File("in.wav"), dir.File("out.wav"),
                                   "--arith", arithmetic, "--quiet"});
        ASSERT_EQ(filter.code, 0) << filter.err;
        const std::string out = ReadFileBytes(dir.File("out.wav"));
        *filtered = Copied<std::vector<T>>(out.substr(SampleStart(out)));

        const QenRun exportRun = Qen({"export", mDesign, "--format", "c", "--arith", arithmetic,
                                      "--name", "flt", "-o", dir.File("flt.h")});
        ASSERT_EQ(exportRun.code, 0) << exportRun.err;
        const std::string type = std::is_same_v<T, double>  ? "double"
                                 : std::is_same_v<T, float> ? "float"
                                                            : "int" + std::to_string(bits) + "_t";
        WriteFileBytes(dir.File("driver.c"), std::regex_replace(kDriver, std::regex("TYPE"), type));
        WriteFileBytes(dir.File("unused.c"), kUnused);
        WriteFileBytes(dir.File("x.raw"), Copied<std::string>(x));
        const std::string d = dir.Path() + "/";
        const std::string compile =
            std::string(WINQEN_C_COMPILER) +
            " -std=c99 -Wall -Wextra -Werror -pedantic -fsanitize=undefined "
            "-fno-sanitize-recover=all -o " +
            d + "driver " + d + "driver.c " + d + "unused.c 2>&1";
        ASSERT_EQ(std::system(compile.c_str()), 0) << compile;
        ASSERT_EQ(std::system((d + "driver " + d + "x.raw " + d + "y.raw").c_str()), 0);
        *exported = Copied<std::vector<T>>(ReadFileBytes(dir.File("y.raw")));
        ASSERT_EQ(exported->size(), x.size());
        ASSERT_EQ(filtered->size(), x.size());
    }

    TempDir dir;
    const std::string mDesign = dir.File("design.pzd");
    Zpk mZpk;
};

// q15, q31 and f32 run bit for bit as qen filter does them. qen filter runs f64 as the
// design over its peak gain, the header the peak-scaled sections: the same filter, up to
// rounding.
TEST_F(CExport, RunsAsQenFilter) {
    std::vector<std::int16_t> q15, c15;
    Run("q15", 1, &q15, &c15);
    EXPECT_EQ(q15, c15);
    std::vector<float> f32, c32;
    Run("f32", 3, &f32, &c32);
    EXPECT_EQ(f32, c32);
    std::vector<double> f64, c64;
    Run("f64", 3, &f64, &c64);
    for (size_t n = 0; n < f64.size(); ++n) {
        ASSERT_NEAR(f64[n], c64[n], 1e-12) << n;
    }
    std::vector<std::int32_t> q31, c31;
    Run("q31", 1, &q31, &c31);
    EXPECT_EQ(q31, c31);
    // The square wave drives the sections into saturation.
    EXPECT_NE(Qen({"filter", mDesign, dir.File("in.wav"), dir.File("out.wav"), "--arith", "q31"})
                  .err.find(" overflows\n"),
              std::string::npos);
}

} // namespace
