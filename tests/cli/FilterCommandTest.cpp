#include "audio/AudioFixtures.h"

#include "TestSupport.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
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
    EXPECT_NE(Qen({"--help"}).out.find("qen filter DESIGN.pzd INPUT OUTPUT [--quiet]"),
              std::string::npos);
}

TEST_F(FilterCommand, UsageErrorsAndFailuresNameTheFileAndTheReason) {
    EXPECT_EQ(Qen({"filter", design, input}).code, kExitUsage);
    EXPECT_EQ(Qen({"filter", design, input, output, "--loud"}).code, kExitUsage);

    WriteFileBytes(dir.File("nc.pzd"),
                   "VERSION=2.000000\nDESIGN=ZPlane\nPOLECOUNT=0\nZEROCOUNT=1\nZ0=0.5, 0, 0\n");
    QenRun run = Qen({"filter", dir.File("nc.pzd"), input, output});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "qen: " + dir.File("nc.pzd") +
                           ": Can't filter audio using a non-causal IIR filter\n");

    run = Qen({"filter", design, design, output});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "qen: " + design +
                           ": Can't prepare audio files to be processed. (neither a WAV nor an "
                           "AIFF file)\n");

    WriteFileBytes(input, ReadFileBytes(input).substr(0, 100));
    run = Qen({"filter", design, input, output});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_EQ(run.err, "qen: " + input +
                           ": Can't process the audio files. (the \"data\" chunk runs past the "
                           "end of the file)\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// SIGINT during the run stops it like the Stop button: failure, and no output file.
TEST_F(FilterCommand, InterruptStopsTheRunAndLeavesNoOutput) {
    WriteFileBytes(input, WavFile(WavFormat(1, 8), "", std::string(64 << 20, '\x40')));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(Qen({"filter", design, input, output}).code);
    }
    // The temporary output appears once the run has begun; SIGINT is handled by then.
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(child, &status, WNOHANG)) == 0 &&
           std::distance(std::filesystem::directory_iterator(dir.Path()), {}) < 3) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(ended, 0) << "the run ended before it could be interrupted";
    kill(child, SIGINT);
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitFailure);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

} // namespace
