#include "audio/CAudioFilter.h"
#include "DesignFixtures.h"
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
// 1/z, divided by the scale.
std::vector<double> Reference(const FNodeList& list, const std::vector<double>& x, size_t channels,
                              double scale) {
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
    std::vector<Complex> y(x.size());
    std::vector<double> out(x.size());
    for (size_t n = 0; n < x.size(); ++n) {
        for (size_t k = 0; k < b.size() && k * channels <= n; ++k) {
            y[n] += b[k] * x[n - k * channels];
        }
        for (size_t k = 1; k < a.size() && k * channels <= n; ++k) {
            y[n] -= a[k] * y[n - k * channels];
        }
        out[n] = y[n].real() / scale;
    }
    return out;
}

struct Sound {
    SF_INFO info{};
    std::vector<double> samples;
    std::string title;
};

// The file as libsndfile reads it, samples of full scale 1.
Sound ReadSound(const std::string& path) {
    Sound s;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &s.info);
    EXPECT_NE(f, nullptr) << path << ": " << sf_strerror(nullptr);
    if (f != nullptr) {
        s.samples.resize(static_cast<size_t>(s.info.frames * s.info.channels));
        sf_readf_double(f, s.samples.data(), s.info.frames);
        const char* title = sf_get_string(f, SF_STR_TITLE);
        s.title = title != nullptr ? title : "";
        sf_close(f);
    }
    return s;
}

// Seeded noise at half full scale, written by libsndfile with a title, which it keeps
// in a chunk before the samples of an AIFF file and after those of a WAV file.
bool WriteSound(const std::string& path, int format, int channels, int frames, int rate = 44100) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (f == nullptr) {
        return false;
    }
    sf_set_string(f, SF_STR_TITLE, "noise");
    std::mt19937 random(7);
    std::uniform_real_distribution<double> sample(-0.5, 0.5);
    std::vector<double> samples(static_cast<size_t>(frames * channels));
    for (double& s : samples) {
        s = sample(random);
    }
    sf_writef_double(f, samples.data(), frames);
    sf_close(f);
    return true;
}

// Runs the engine over input into output; the percentages reported land in percents.
int Filter(const std::string& in, const std::string& out, const FNodeList& list,
           std::vector<int>* percents = nullptr, int stopAt = 101, double* scale = nullptr,
           CRequantizer requantizer = CRequantizer()) {
    CAudioFilter filter(in, out, requantizer);
    if (filter.PrepareFiles() != 0 || filter.SetFilter(Zpk::FromNodeList(list)) != 0) {
        return -10;
    }
    if (scale != nullptr) {
        *scale = filter.GetScaleValue();
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
    int channels;
    // Bits of an integer format; 0 for float, -1 for a lossy coding.
    int bits;
};

// Every container and sample format, written by libsndfile, filtered, and read back
// by libsndfile: the input's format, rate, channels and frames, and samples within one
// step of the reference. WAV and AIFF keep every byte around the samples.
TEST(CAudioFilter, MatchesAReferenceFilterInEveryFormatThroughLibsndfile) {
    const FormatCase cases[] = {
        {"WAV 8", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 8},
        {"WAV 16", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 16},
        {"WAV 24", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 3, 24},
        {"WAV 32", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 1, 32},
        {"WAV float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 0},
        {"WAV double", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 1, 0},
        {"WAV extensible 16", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2, 16},
        {"WAV extensible float", SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 6, 0},
        {"AIFF 8", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 1, 8},
        {"AIFF 16", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2, 16},
        {"AIFF 24", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 1, 24},
        {"AIFF 32", SF_FORMAT_AIFF | SF_FORMAT_PCM_32, 2, 32},
        {"AIFF-C sowt", SF_FORMAT_AIFF | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE, 2, 16},
        {"AIFF-C fl32", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 1, 0},
        {"AIFF-C fl64", SF_FORMAT_AIFF | SF_FORMAT_DOUBLE, 2, 0},
        {"FLAC 16", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 16},
        {"FLAC 24", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, 24},
        {"RF64 24", SF_FORMAT_RF64 | SF_FORMAT_PCM_24, 2, 24},
        {"W64 16", SF_FORMAT_W64 | SF_FORMAT_PCM_16, 1, 16},
        {"CAF 16", SF_FORMAT_CAF | SF_FORMAT_PCM_16, 2, 16},
        {"CAF float", SF_FORMAT_CAF | SF_FORMAT_FLOAT, 1, 0},
        {"Ogg Vorbis", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, -1},
        {"Ogg Opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 1, -1},
        {"MP3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 2, -1},
    };
    const FNodeList design = RealDesign();
    TempDir dir;
    const std::string in = dir.File("in");
    const std::string out = dir.File("out");
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteSound(in, c.format, c.channels, 3001, 48000)) << sf_strerror(nullptr);
        double scale = 0.0;
        ASSERT_EQ(Filter(in, out, design, nullptr, 101, &scale), 0);
        const Sound input = ReadSound(in);
        const Sound output = ReadSound(out);
        EXPECT_EQ(output.info.format, input.info.format);
        EXPECT_EQ(output.info.samplerate, input.info.samplerate);
        ASSERT_EQ(output.info.channels, input.info.channels);
        ASSERT_EQ(output.info.frames, input.info.frames);
        EXPECT_EQ(output.title, input.title);
        const int major = c.format & SF_FORMAT_TYPEMASK;
        if (major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_AIFF) {
            const std::string inBytes = ReadFileBytes(in);
            const std::string outBytes = ReadFileBytes(out);
            ASSERT_EQ(inBytes.size(), outBytes.size());
            const size_t start = SampleStart(inBytes);
            const int sampleBytes = c.bits > 0 ? c.bits / 8
                                    : (c.format & SF_FORMAT_SUBMASK) == SF_FORMAT_DOUBLE ? 8
                                                                                         : 4;
            const auto bytes = static_cast<size_t>(input.info.frames * c.channels * sampleBytes);
            EXPECT_EQ(inBytes.substr(0, start), outBytes.substr(0, start));
            EXPECT_EQ(inBytes.substr(start + bytes), outBytes.substr(start + bytes));
        }
        if (c.bits < 0) {
            continue;
        }
        const std::vector<double> expected =
            Reference(design, input.samples, static_cast<size_t>(c.channels), scale);
        // One step of the output's format; floats to their own precision.
        const double step = c.bits > 0 ? std::ldexp(1.0, 1 - c.bits) : 1e-6;
        for (size_t n = 0; n < expected.size(); ++n) {
            ASSERT_NEAR(output.samples[n], expected[n], step) << n;
        }
    }
}

// Unusual and malformed inputs, each filtered as libsndfile reads it, with every byte
// around the samples kept where no size had to be repaired, or refused with its reason.
TEST(CAudioFilter, UnusualInputsFilterAsLibsndfileReadsThemOrAreRefused) {
    std::mt19937 random(3);
    std::string le;
    std::string be;
    std::vector<double> noise;
    for (int i = 0; i < 2 * 3000; ++i) {
        const int v = static_cast<int>(random() % 40000) - 20000;
        le += LE16(static_cast<uint32_t>(v));
        be += BE16(static_cast<uint32_t>(v));
        noise.push_back(v / 32768.0);
    }
    const std::string comm = AiffComm(2, 16, 3000);
    const std::string aiff = AiffFile(comm + AiffSound(be));
    const std::string wav = WavFile(WavFormat(2, 16), "", le);
    const std::string id3v2 = std::string("ID3\x03\0\0\0\0\0\x05", 10) + "title";
    const struct {
        const char* name;
        std::string file;
        size_t frames;
        // Part of the warning, or of the refusal when no frames are expected.
        const char* note;
    } cases[] = {
        {"AIFF with an SSND offset", AiffFile(comm + AiffSound(be, "ab")), 3000, ""},
        {"AIFF cut short", aiff.substr(0, aiff.size() - 7), 2998,
         "the recording was never finished (its \"SSND\" chunk says 12008 bytes); its 2998 "
         "frames"},
        {"WAV with an ID3v1 tag", wav + "TAG" + std::string(125, '\xE9'), 3000, ""},
        {"WAV with an ID3v2 tag", wav + id3v2, 3000, ""},
        {"WAV never finished", std::string(wav).replace(40, 4, LE32(0)), 3000,
         "the recording was never finished"},
        {"chunk past the end", WavFile(WavFormat(2, 16), "LIST" + LE32(100000), le), 0,
         "the \"LIST\" chunk runs past the end of the file"},
        {"AIFF-C compressed as control bytes",
         AiffFile(AiffChunk("COMM", comm.substr(8) + "\x1B[2J" + std::string(2, '\0')) +
                      AiffSound(be),
                  "AIFC"),
         0, "compressed as \"\\x1B[2J\""},
    };
    const FNodeList design = RealDesign();
    TempDir dir;
    const std::string in = dir.File("in");
    const std::string out = dir.File("out");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(out);
        WriteFileBytes(in, c.file);
        CAudioFilter filter(in, out);
        const bool done = filter.PrepareFiles() == 0 &&
                          filter.SetFilter(Zpk::FromNodeList(design)) == 0 &&
                          filter.ProcessFile(nullptr) == 0;
        if (c.frames == 0) {
            EXPECT_FALSE(done);
            EXPECT_NE(filter.Problem().find(c.note), std::string::npos) << filter.Problem();
            EXPECT_FALSE(std::filesystem::exists(out));
            continue;
        }
        ASSERT_TRUE(done) << filter.Problem();
        EXPECT_EQ(filter.Warning().rfind(c.note, 0), 0u) << filter.Warning();
        // libsndfile reads the input's samples alike, where it reads any (it takes a WAV
        // data size of 0 at its word).
        const std::vector<double> samples(noise.begin(),
                                          noise.begin() + 2 * static_cast<long>(c.frames));
        const Sound input = ReadSound(in);
        if (input.info.frames > 0) {
            ASSERT_GE(input.samples.size(), samples.size());
            EXPECT_TRUE(std::equal(samples.begin(), samples.end(), input.samples.begin()));
        }
        const Sound output = ReadSound(out);
        ASSERT_EQ(output.info.frames, static_cast<sf_count_t>(c.frames));
        const std::vector<double> expected = Reference(design, samples, 2, filter.GetScaleValue());
        for (size_t n = 0; n < expected.size(); ++n) {
            ASSERT_NEAR(output.samples[n], expected[n], std::ldexp(1.0, -15)) << n;
        }
        if (*c.note == '\0') {
            const std::string outBytes = ReadFileBytes(out);
            const size_t start = SampleStart(c.file);
            ASSERT_EQ(outBytes.size(), c.file.size());
            EXPECT_EQ(outBytes.substr(0, start), c.file.substr(0, start));
            EXPECT_EQ(outBytes.substr(start + le.size()), c.file.substr(start + le.size()));
        }
    }
}

// A -50 dBFS sine: truncation leaves a third harmonic that rounding removes, and
// dither repeats for one seed and differs for another.
TEST(CAudioFilter, RequantizesByTruncationRoundingOrSeededDither) {
    TempDir dir;
    const int frames = 4800;
    std::string samples;
    for (int n = 0; n < frames; ++n) {
        samples += LE16(
            static_cast<uint32_t>(std::lround(103.6 * std::sin(2 * M_PI * 100 * n / 48000.0))));
    }
    WriteFileBytes(dir.File("in.wav"), WavFile(WavFormat(1, 16, 48000), "", samples));
    // Outputs between two steps, of fractions spread over the step.
    const FNodeList half = Design({PoleAt(0, 0), ZeroAt(-0.3, 0)});
    const auto harmonic = [&](CRequantizer requantizer, const char* name) {
        EXPECT_EQ(
            Filter(dir.File("in.wav"), dir.File(name), half, nullptr, 101, nullptr, requantizer),
            0);
        const Sound s = ReadSound(dir.File(name));
        Complex third = 0.0;
        for (size_t n = 0; n < s.samples.size(); ++n) {
            third +=
                s.samples[n] * std::polar(1.0, -2 * M_PI * 300 * static_cast<double>(n) / 48000);
        }
        return 20 * std::log10(2 * std::abs(third) / frames);
    };
    const double truncated = harmonic(CRequantizer(CRequantizer::Mode::Truncate), "t.wav");
    const double rounded = harmonic(CRequantizer(CRequantizer::Mode::Round), "r.wav");
    // About 52 dB below the -50 dBFS fundamental; rounding leaves only the input's own
    // quantization, some 17 dB lower.
    EXPECT_NEAR(truncated, -102, 3);
    EXPECT_LT(rounded, truncated - 12);
    harmonic(CRequantizer(CRequantizer::Mode::Tpdf, 5), "d5.wav");
    harmonic(CRequantizer(CRequantizer::Mode::Tpdf, 5), "e5.wav");
    harmonic(CRequantizer(CRequantizer::Mode::Tpdf, 6), "d6.wav");
    EXPECT_EQ(ReadFileBytes(dir.File("d5.wav")), ReadFileBytes(dir.File("e5.wav")));
    EXPECT_NE(ReadFileBytes(dir.File("d5.wav")), ReadFileBytes(dir.File("d6.wav")));
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

TEST(CAudioFilter, RefusesWhatItCannotDoWithItsCodes) {
    TempDir dir;
    const std::string in = dir.File("in.wav");
    const std::string out = dir.File("out.wav");
    const std::string wav = WavFile(WavFormat(1, 8), "", "abc");
    WriteFileBytes(in, wav);
    const FNodeList design = RealDesign();

    CAudioFilter unprepared(in, out);
    EXPECT_EQ(unprepared.SetFilter(Zpk::FromNodeList(design)), -1);
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
    EXPECT_EQ(filter.GetCoding().Bits(), 8);
    EXPECT_EQ(filter.GetSampleRate(), 8000u);
    const FNodeList nonCausal = Design({ZeroAt(0.5, 0.5, true)});
    const Zpk zeroPeak{{}, {FComplex(0.5, 0)}, 0.0};
    const FNodeList unstable = Design({PoleAt(1.0, 0)});
    for (const Zpk& refused :
         {Zpk::FromNodeList(nonCausal), zeroPeak, Zpk::FromNodeList(unstable)}) {
        EXPECT_EQ(filter.SetFilter(refused), -1) << filter.Problem();
        EXPECT_EQ(filter.ProblemFile(), "");
    }
    EXPECT_EQ(filter.ProcessFile(nullptr), -1);
    // A failed SetFilter after a good one leaves the filter unusable, not half set.
    ASSERT_EQ(filter.SetFilter(Zpk::FromNodeList(design)), 0);
    EXPECT_EQ(filter.SetFilter(Zpk::FromNodeList(nonCausal)), -1);
    EXPECT_EQ(filter.ProcessFile(nullptr), -1);
    // A mono file that became stereo after PrepareFiles is refused.
    ASSERT_EQ(filter.SetFilter(Zpk::FromNodeList(design)), 0);
    WriteFileBytes(in, WavFile(WavFormat(2, 8), "", "abcd"));
    EXPECT_EQ(filter.ProcessFile(nullptr), -2);
    WriteFileBytes(in, wav);
}

} // namespace
