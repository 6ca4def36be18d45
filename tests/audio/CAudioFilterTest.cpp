#include "audio/CAudioFilter.h"
#include "analysis/DesignFixtures.h"
#include "analysis/PeakGain.h"
#include "audio/AudioFixtures.h"

#include "TestSupport.h"

#include <cmath>
#include <complex>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sndfile.h>
#include <unistd.h>

namespace {

using Complex = std::complex<double>;

// Two pole pairs and a real pole over two zero pairs on the unit circle and a real zero.
FNodeList RealDesign() {
    return Design({PoleAt(0.6, 0.6, true), PoleAt(-0.3, 0.8, true), PoleAt(0.5, 0),
                   ZeroAt(0.6, 0.8, true), ZeroAt(-0.8, 0.6, true), ZeroAt(-0.5, 0)});
}

// An independent reference for interleaved samples: the direct form of H in powers of
// 1/z, divided by the peak of |H| over all frequencies, truncated and
// saturated to 32 bits.
std::vector<int64_t> Reference(const FNodeList& list, const std::vector<int>& x, size_t channels) {
    const std::vector<Complex> poles = Roots(list, kNodePole);
    const std::vector<Complex> zeros = Roots(list, kNodeZero);
    // Coefficients of prod(1 - r/z), delayed by delay samples.
    const auto expand = [](const std::vector<Complex>& roots, size_t delay) {
        std::vector<Complex> poly(delay + 1 + roots.size(), 0.0);
        poly[delay] = 1.0;
        for (size_t m = 0; m < roots.size(); ++m) {
            for (size_t k = delay + m + 1; k > delay; --k) {
                poly[k] -= roots[m] * poly[k - 1];
            }
        }
        return poly;
    };
    const std::vector<Complex> b = expand(zeros, poles.size() - zeros.size());
    const std::vector<Complex> a = expand(poles, 0);
    // The peak gain is checked on its own; here it is only the scale.
    const double peak = TruePeakGain(FRootSet(list));
    std::vector<Complex> y(x.size());
    std::vector<int64_t> out(x.size());
    for (size_t n = 0; n < x.size(); ++n) {
        for (size_t k = 0; k < b.size() && k * channels <= n; ++k) {
            y[n] += b[k] * static_cast<double>(x[n - k * channels]);
        }
        for (size_t k = 1; k < a.size() && k * channels <= n; ++k) {
            y[n] -= a[k] * y[n - k * channels];
        }
        out[n] = static_cast<int64_t>(std::clamp(y[n].real() / peak, -2147483648.0, 2147483647.0));
    }
    return out;
}

struct Sound {
    SF_INFO info{};
    std::vector<int> samples;
};

Sound ReadSound(const std::string& path) {
    Sound s;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &s.info);
    EXPECT_NE(f, nullptr) << sf_strerror(nullptr);
    if (f != nullptr) {
        s.samples.resize(static_cast<size_t>(s.info.frames * s.info.channels));
        sf_read_int(f, s.samples.data(), static_cast<sf_count_t>(s.samples.size()));
        sf_close(f);
    }
    return s;
}

// Seeded noise at half full scale, written by libsndfile with a title, which it keeps
// in a chunk before the samples of an AIFF file and after those of a WAV file.
void WriteSound(const std::string& path, int format, int channels, int frames) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    const bool wav = (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV;
    if (!wav) {
        sf_set_string(f, SF_STR_TITLE, "noise");
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> sample(INT32_MIN / 2, INT32_MAX / 2);
    std::vector<int> samples(static_cast<size_t>(frames * channels));
    for (int& s : samples) {
        s = sample(random);
    }
    sf_write_int(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    if (wav) {
        sf_set_string(f, SF_STR_TITLE, "noise");
    }
    sf_close(f);
}

// Runs the engine over input into output; the percentages reported land in percents.
int Filter(const std::string& in, const std::string& out, const FNodeList& list,
           std::vector<int>* percents = nullptr, int stopAt = 101) {
    CAudioFilter filter(in, out);
    if (filter.PrepareFiles() != 0 || filter.SetFilter(&list) != 0) {
        return -10;
    }
    return filter.ProcessFile([percents, stopAt](int percent) {
        if (percents != nullptr) {
            percents->push_back(percent);
        }
        return percent >= stopAt ? 1 : 0;
    });
}

struct FormatCase {
    const char* name;
    int format;
    int bits;
};

TEST(CAudioFilter, MatchesAReferenceFilterInEveryFormatThroughLibsndfile) {
    const FormatCase cases[] = {
        {"WAV 8", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8},
        {"WAV 16", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16},
        {"AIFF 8", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 8},
        {"AIFF 16", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 16},
        {"AIFF 24", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 24},
        {"AIFF 32", SF_FORMAT_AIFF | SF_FORMAT_PCM_32, 32},
    };
    const FNodeList designs[] = {RealDesign(), Design({PoleAt(0.5, 0.7), ZeroAt(0.1, -0.9)})};
    TempDir dir;
    const std::string in = dir.File("in");
    const std::string out = dir.File("out");
    for (const FormatCase& c : cases) {
        for (const int channels : {1, 2}) {
            for (const FNodeList& design : designs) {
                SCOPED_TRACE(std::string(c.name) + (channels == 2 ? " stereo" : " mono"));
                WriteSound(in, c.format, channels, 3001);
                ASSERT_EQ(Filter(in, out, design), 0);
                const Sound input = ReadSound(in);
                // libsndfile may round odd 8-bit data up with a frame of its own.
                ASSERT_GE(input.info.frames, 3001);
                // Everything but the samples is the input's, byte for byte.
                const std::string inBytes = ReadFileBytes(in);
                const std::string outBytes = ReadFileBytes(out);
                ASSERT_EQ(inBytes.size(), outBytes.size());
                const size_t start = SampleStart(inBytes);
                const size_t end =
                    start + static_cast<size_t>(input.info.frames * channels * c.bits / 8);
                ASSERT_EQ(inBytes.substr(0, start), outBytes.substr(0, start));
                ASSERT_EQ(inBytes.substr(end), outBytes.substr(end));
                const Sound output = ReadSound(out);
                const std::vector<int64_t> expected =
                    Reference(design, input.samples, static_cast<size_t>(channels));
                const int64_t unit = int64_t{1} << (32 - c.bits);
                for (size_t n = 0; n < expected.size(); ++n) {
                    // An independent computation rounds differently: one unit of the
                    // file's samples either way.
                    ASSERT_LE(std::llabs(output.samples[n] / unit - expected[n] / unit), 1) << n;
                }
            }
        }
    }
}

TEST(CAudioFilter, ReportsProgressEvery2500FramesAndStopsWithoutAnOutput) {
    TempDir dir;
    const std::string in = dir.File("in.wav");
    const std::string out = dir.File("out.wav");
    std::vector<int> percents;
    WriteFileBytes(in, WavFile(WavFormat(1, 8), "", std::string(2499, 'x')));
    EXPECT_EQ(Filter(in, out, RealDesign(), &percents), 0);
    EXPECT_TRUE(percents.empty());

    WriteFileBytes(in, WavFile(WavFormat(1, 8), "", std::string(5000, 'x')));
    EXPECT_EQ(Filter(in, out, RealDesign(), &percents), 0);
    EXPECT_EQ(percents, (std::vector<int>{50, 100}));

    WriteFileBytes(out, "untouched");
    percents.clear();
    EXPECT_EQ(Filter(in, out, RealDesign(), &percents, 50), -3);
    EXPECT_EQ(percents, std::vector<int>{50});
    EXPECT_EQ(ReadFileBytes(out), "untouched");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(CAudioFilter, OutputSaturatesInsteadOfWrapping) {
    TempDir dir;
    WriteFileBytes(dir.File("in.wav"), WavFile(WavFormat(1, 16), "", std::string(400, '\x11')));
    // A pole outside the unit circle: the output grows past full scale within 60
    // samples.
    ASSERT_EQ(Filter(dir.File("in.wav"), dir.File("out.wav"), Design({PoleAt(1.5, 0)})), 0);
    const Sound output = ReadSound(dir.File("out.wav"));
    ASSERT_EQ(output.samples.size(), 200u);
    EXPECT_EQ(output.samples[100], INT32_MAX & ~0xFFFF);
}

TEST(CAudioFilter, RefusesWhatItCannotDoWithItsCodes) {
    TempDir dir;
    const std::string in = dir.File("in.wav");
    const std::string out = dir.File("out.wav");
    const std::string wav = WavFile(WavFormat(1, 8), "", "abc");
    WriteFileBytes(in, wav);
    const FNodeList design = RealDesign();

    CAudioFilter unprepared(in, out);
    EXPECT_EQ(unprepared.SetFilter(&design), -1);
    EXPECT_EQ(unprepared.ProcessFile(nullptr), -1);
    EXPECT_EQ(CAudioFilter(dir.File("missing"), out).PrepareFiles(), -1);
    WriteFileBytes(dir.File("text"), "not a sound file");
    EXPECT_EQ(CAudioFilter(dir.File("text"), out).PrepareFiles(), -2);

    // The input itself, by its own name, through a symbolic and a hard link.
    ASSERT_EQ(symlink(in.c_str(), dir.File("soft").c_str()), 0);
    ASSERT_EQ(link(in.c_str(), dir.File("hard").c_str()), 0);
    for (const char* name : {"in.wav", "soft", "hard"}) {
        CAudioFilter filter(in, dir.File(name));
        EXPECT_EQ(filter.PrepareFiles(), -1) << name;
        EXPECT_EQ(filter.ProblemFile(), dir.File(name));
    }
    EXPECT_EQ(ReadFileBytes(in), wav);

    CAudioFilter filter(in, out);
    ASSERT_EQ(filter.PrepareFiles(), 0);
    EXPECT_EQ(filter.GetSampleSize(), 1);
    EXPECT_EQ(filter.GetSampleRate(), 8000u);
    EXPECT_EQ(filter.SetFilter(nullptr), -1);
    const FNodeList nonCausal = Design({ZeroAt(0.5, 0.5, true)});
    const FNodeList infinitePeak = Design({PoleAt(0.5, 0), ZeroAt(1e308, 1e308)});
    const FNodeList zeroPeak = Design({PoleAt(1e200, 0)});
    for (const FNodeList* refused : {&nonCausal, &infinitePeak, &zeroPeak}) {
        EXPECT_EQ(filter.SetFilter(refused), -1) << filter.Problem();
    }
    EXPECT_EQ(filter.ProcessFile(nullptr), -1);
    // A failed SetFilter after a good one leaves the filter unusable, not half set.
    ASSERT_EQ(filter.SetFilter(&design), 0);
    EXPECT_EQ(filter.SetFilter(&nonCausal), -1);
    EXPECT_EQ(filter.ProcessFile(nullptr), -1);
    // A mono file that became stereo after PrepareFiles is refused.
    ASSERT_EQ(filter.SetFilter(&design), 0);
    WriteFileBytes(in, WavFile(WavFormat(2, 8), "", "abcd"));
    EXPECT_EQ(filter.ProcessFile(nullptr), -2);
    WriteFileBytes(in, wav);

    CAudioFilter nowhere(in, dir.File("missing/out.wav"));
    ASSERT_EQ(nowhere.PrepareFiles(), 0);
    ASSERT_EQ(nowhere.SetFilter(&design), 0);
    EXPECT_EQ(nowhere.ProcessFile(nullptr), -1);

    // Bad headers and short data fail the run and leave no output behind.
    std::string cut = WavFile(WavFormat(1, 8), "", std::string(100, 'x'));
    cut.resize(cut.size() - 10);
    for (const std::string& broken :
         {cut, AiffFile(AiffSound("ab")),
          WavFile(WavFormat(1, 8), WavChunk("LIST", "x").substr(0, 8), "")}) {
        WriteFileBytes(in, broken);
        EXPECT_EQ(Filter(in, out, design), -2);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

} // namespace
