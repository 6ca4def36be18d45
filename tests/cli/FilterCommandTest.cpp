#include "audio/AudioFixtures.h"

#include "TestSupport.h"
#include "audio/live/CStreamDesign.h"
#include "core/FormatC.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class FilterCommand : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(design, "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=1\nZEROCOUNT=1\n"
                               "P0=0.5, 0.5, 1\nZ0=-1, 0, 0\n");
        WriteFileBytes(input, WavFile(WavFormat(2, 16), "", std::string(4000, '\x11')));
    }
    TempDir dir;
    const std::string design = dir.File("d.pzd");
    const std::string input = dir.File("in.wav");
    const std::string output = dir.File("out.wav");
};

TEST_F(FilterCommand, FiltersQuietlyWhenStandardErrorIsNoTerminal) {
    const QenRun run = Qen({"filter", design, input, output});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFileBytes(output).size(), ReadFileBytes(input).size());
    EXPECT_EQ(Qen({"filter", "--quiet", design, input, output}).code, kExitOk);
    EXPECT_NE(Qen({"--help"}).out.find("qen filter DESIGN.pzd INPUT OUTPUT [--quantize"),
              std::string::npos);
}

// One rule, every pole strictly inside the unit circle, for qen info, qen filter and
// the live stream alike.
TEST_F(FilterCommand, OneStabilityRuleForInfoFilterAndTheStream) {
    const struct {
        double radius;
        bool stable;
    } rows[] = {{1 - 1e-12, true}, {1 - 1e-10, true}, {1, false}, {1 + 1e-12, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.radius);
        WriteFileBytes(design, FormatC("VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=2\nZEROCOUNT=0\n"
                                       "P0=%.17g, 0, 0\nP1=0, %.17g, 1\n",
                                       row.radius, row.radius));
        EXPECT_NE(Qen({"info", design})
                      .out.find(row.stable ? "stable: yes\n" : "stable: no (pole radius 1.0000)\n"),
                  std::string::npos);
        const QenRun run = Qen({"filter", design, input, output});
        EXPECT_EQ(run.code, row.stable ? kExitOk : kExitFailure);
        EXPECT_EQ(run.err, row.stable ? ""
                                      : "qen: " + design +
                                            ": Can't filter audio using an unstable IIR filter "
                                            "(largest pole radius " +
                                            FormatC("%.10g", row.radius) + ")\n");
        Zpk zpk;
        zpk.poles = {FComplex(row.radius, 0), FComplex(0, row.radius), FComplex(0, -row.radius)};
        const auto stream = CStreamDesign::Build(zpk, 2);
        EXPECT_EQ(stream->GetKind() == CStreamDesign::Kind::Filter, row.stable);
        EXPECT_EQ(stream->Status(), row.stable ? "" : "Unstable");
    }
}

TEST_F(FilterCommand, UsageErrorsAndFailuresNameTheFileAndTheReason) {
    EXPECT_EQ(Qen({"filter", design, input}).code, kExitUsage);

    WriteFileBytes(dir.File("nc.pzd"),
                   "VERSION=2.000000\nDESIGN=ZPlane\nPOLECOUNT=0\nZEROCOUNT=1\nZ0=0.5, 0, 0\n");
    QenRun run = Qen({"filter", dir.File("nc.pzd"), input, output});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "qen: " + dir.File("nc.pzd") +
                           ": Can't filter audio using a non-causal IIR filter\n");

    run = Qen({"filter", design, design, output});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err.rfind("qen: " + design +
                                ": Can't prepare audio files to be processed. (not "
                                "a sound file that can be read (",
                            0),
              0u)
        << run.err;
    EXPECT_NE(run.err.find("; readable are WAV, AIFF and AIFF-C of 8- to 32-bit"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output));

    // What the libraries print of their probing (here the MP3 decoder's, of a frame
    // header and nothing after it) stays off standard error: the refusal is one line.
    const std::string mp3ish =
        std::string("\xFF\xFB\x90\0", 4) + std::string(120, '\0') + "\xFF\xFF";
    WriteFileBytes(dir.File("mp3ish"), mp3ish);
    const int saved = dup(STDERR_FILENO);
    const int capture = open(dir.File("stderr").c_str(), O_WRONLY | O_CREAT, 0600);
    dup2(capture, STDERR_FILENO);
    run = Qen({"filter", design, dir.File("mp3ish"), output});
    dup2(saved, STDERR_FILENO);
    close(saved);
    close(capture);
    EXPECT_EQ(ReadFileBytes(dir.File("stderr")), "");
    EXPECT_EQ(run.err.rfind("qen: " + dir.File("mp3ish") +
                                ": Can't prepare audio files to be processed. (not a sound file "
                                "that can be read; readable are",
                            0),
              0u)
        << run.err;
}

// Repairs and clipping are reported on standard error; the run still succeeds. A
// full-scale square wave of period 8 meets a resonance at a quarter of half the rate:
// its fundamental comes out at 4 / pi of full scale (82 samples beyond it, saturated).
TEST_F(FilterCommand, WarnsOfUnfinishedRecordingsAndCountsClippedSamples) {
    std::string square;
    for (int k = 0; k < 200; ++k) {
        square += k % 8 < 4 ? LE16(32767) : LE16(32768);
    }
    WriteFileBytes(input, "RIFF" + LE32(0) + "WAVE" + WavFormat(1, 16) + "data" + LE32(0) + square);
    WriteFileBytes(design, "VERSION=2\nDESIGN=ZPlane\nPOLECOUNT=1\nZEROCOUNT=0\n"
                           "P0=0.67175144212722016, 0.67175144212722016, 1\n");
    const QenRun run = Qen({"filter", design, input, output});
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_EQ(run.err, "qen: warning: " + input +
                           ": the recording was never finished (its data size says 0 bytes); its "
                           "200 frames up to the end are read\nqen: 82 samples clipped\n");
    // Saturated, not wrapped.
    std::vector<short> out(200);
    SF_INFO info{};
    SNDFILE* f = sf_open(output.c_str(), SFM_READ, &info);
    ASSERT_EQ(sf_readf_short(f, out.data(), 200), 200);
    sf_close(f);
    EXPECT_EQ(*std::max_element(out.begin(), out.end()), 32767);
    EXPECT_EQ(*std::min_element(out.begin(), out.end()), -32768);
}

// Write failures give the system's reason, also through libsndfile; a coding written in
// whole blocks of another size than the input's is filtered with a warning of the
// frames it adds.
TEST_F(FilterCommand, ReportsWriteFailuresAndChangedFrameCounts) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    const std::vector<short> samples(8136, 1000);
    for (const char* name : {"in.flac", "adpcm.wav"}) {
        SNDFILE* f = sf_open(dir.File(name).c_str(), SFM_WRITE, &info);
        ASSERT_NE(f, nullptr);
        sf_writef_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(f);
        info.format = SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM;
    }
    for (const std::string& in : {input, dir.File("in.flac")}) {
        const QenRun run = Qen({"filter", design, in, "/dev/full"});
        EXPECT_EQ(run.code, kExitFailure);
        EXPECT_EQ(run.err, "qen: /dev/full: Can't process the audio files. (cannot write: No "
                           "space left on device)\n");
    }
    // At 22050 Hz libsndfile writes blocks of 1017 frames, where these hold 505.
    std::string adpcm = ReadFileBytes(dir.File("adpcm.wav"));
    WriteFileBytes(dir.File("adpcm.wav"), adpcm.replace(24, 4, LE32(22050)));
    const QenRun run = Qen({"filter", design, dir.File("adpcm.wav"), output});
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_EQ(run.err, "qen: warning: " + output +
                           ": the output holds 9153 frames, the input 8585: its coding is "
                           "written in whole blocks, the last filled out with silence\n");
}

// Each signal during the run stops it like the Stop button: failure, no output file,
// and the file that stood at the path untouched.
TEST_F(FilterCommand, SignalsStopTheRunAndLeaveTheOutputAsItWas) {
    WriteFileBytes(input, WavFile(WavFormat(1, 8), "", std::string(64 << 20, '\x40')));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        WriteFileBytes(output, "old");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            _exit(Qen({"filter", design, input, output}).code);
        }
        // The temporary output appears once the run has begun; the signals are handled
        // by then.
        int status = 0;
        pid_t ended = 0;
        while ((ended = waitpid(child, &status, WNOHANG)) == 0 &&
               std::distance(std::filesystem::directory_iterator(dir.Path()), {}) < 4) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(ended, 0) << "the run ended before it could be interrupted";
        kill(child, signal);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << signal;
        EXPECT_EQ(WEXITSTATUS(status), kExitFailure);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
        EXPECT_EQ(ReadFileBytes(output), "old");
    }
}

// Standard output into a pipe and a FIFO with a reader get the bytes a regular file
// gets, written straight into them.
TEST_F(FilterCommand, WritesIntoPipesAndSpecialFiles) {
    ASSERT_EQ(Qen({"filter", design, input, output}).code, kExitOk);
    const std::string expected = ReadFileBytes(output);
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& target : {std::string("-"), fifo}) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            _exit(Qen({"filter", design, input, target}).code);
        }
        close(fds[1]);
        const int from = target == "-" ? fds[0] : open(fifo.c_str(), O_RDONLY);
        std::string got;
        char buffer[4096];
        for (ssize_t n; (n = read(from, buffer, sizeof buffer)) > 0;) {
            got.append(buffer, static_cast<size_t>(n));
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitOk) << target;
        EXPECT_EQ(got, expected) << target;
        close(fds[0]);
        if (from != fds[0]) {
            close(from);
        }
    }
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);

    // Standard input, a pipe here, is read once and filtered as the file is.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(fds[0], STDIN_FILENO);
        close(fds[0]);
        close(fds[1]);
        _exit(Qen({"filter", design, "-", dir.File("piped.wav")}).code);
    }
    close(fds[0]);
    const std::string bytes = ReadFileBytes(input);
    EXPECT_EQ(write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fds[1]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitOk);
    EXPECT_EQ(ReadFileBytes(dir.File("piped.wav")), expected);
}

} // namespace
