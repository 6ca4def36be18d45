#include "audio/AudioFixtures.h"
#include "audio/CWAVin.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(CWAVin, HandsOutTheWholeFileAroundTheFrames) {
    const std::string before = WavChunk("LIST", std::string(25, 'L')) + WavChunk("fact", LE32(4));
    // Four frames and one stray byte; odd data gets a pad byte; a LIST follows it.
    const std::string samples =
        LE16(0xFFFF) + LE16(0x8000) + LE16(0x7FFF) + LE16(1) + std::string(8, '\0') + "s";
    const std::string after = WavChunk("LIST", "INFOtitle");
    const std::string file = WavFile(WavFormat(2, 16, 44100), before, samples, after);
    const ReaderRun run = ReadBytes(file);
    EXPECT_EQ(run.middlePiece, before);
    EXPECT_EQ(run.rate, 44100u);
    ASSERT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(run.frames[0].left, -65536);
    EXPECT_EQ(run.frames[0].right, INT32_MIN);
    EXPECT_EQ(run.frames[1].left, 0x7FFF0000);
    EXPECT_EQ(run.frames[1].right, 65536);
    EXPECT_EQ(run.end, -1);
    EXPECT_EQ(run.trailerPiece, "s" + std::string(1, '\0') + after);
    EXPECT_EQ(run.headPiece + run.middlePiece + file.substr(SampleStart(file) - 8, 24) +
                  run.trailerPiece,
              file);
}

TEST(CAIFFin, HandsOutTheChunksAndWhatFollowsTheWholeFrames) {
    // The COMM after the sound; one stray byte after the last whole frame, and its pad.
    const std::string chunks = AiffChunk("NAME", "odd") + AiffComm(2, 32, 1, 22050.5);
    ReaderRun run =
        ReadBytes(AiffFile(AiffSound(BE32(0xFFFFFFFE) + BE32(0x7FFFFFFF) + "x") + chunks));
    EXPECT_EQ(run.middlePiece, chunks);
    EXPECT_EQ(run.rate, 22050u);
    ASSERT_EQ(run.frames.size(), 1u);
    EXPECT_EQ(run.frames[0].left, -2);
    EXPECT_EQ(run.frames[0].right, INT32_MAX);
    EXPECT_EQ(run.trailerPiece, std::string("x") + '\0');

    // A file that ends without the final pad byte is read; the pad is supplied. Mono
    // frames leave right alone.
    run = ReadBytes(WithoutFinalPad(AiffFile(AiffComm(1, 16, 1) + AiffSound(BE16(0xFFFE) + "q"))));
    ASSERT_EQ(run.frames.size(), 1u);
    EXPECT_EQ(run.frames[0].left, -2 * 65536);
    EXPECT_EQ(run.frames[0].right, -7);
    EXPECT_EQ(run.trailerPiece, std::string("q") + '\0');
    // A rate no 32-bit field can hold is unknown.
    EXPECT_EQ(ReadBytes(AiffFile(AiffComm(1, 16, 1, 1e300) + AiffSound("ab"))).rate, 0u);
}

struct BrokenCase {
    const char* name;
    std::string file;
    long head, middle, data;
    const char* problem;
};

// One valid file of each format, then one corruption per row: each is refused by the
// piece it breaks, with its code and reason, and no size in it leads to a large
// allocation or a read past the end.
TEST(CAudioInFile, BrokenFilesAreRefusedWithTheirCodesAndReasons) {
    const std::string fmt = WavFormat(1, 16);
    const std::string data = WavChunk("data", "abcd");
    std::string tenChunks;
    for (int i = 0; i < 10; ++i) {
        tenChunks += WavChunk("junk", "j");
    }
    const auto riff = [](const std::string& body) { return "RIFF" + LE32(1000) + "WAVE" + body; };
    const std::string comm = AiffComm(1, 16, 2);
    const std::string sound = AiffSound("abcd");
    const std::string aiff = AiffFile(comm + sound);
    const BrokenCase cases[] = {
        {"WAV", riff(fmt + data), 36, 0, 8, ""},
        {"ten chunks before data", riff(fmt + tenChunks + data), 36, 100, 8, ""},
        {"fmt body of 19 bytes", riff(WavChunk("fmt ", fmt.substr(8) + "xyz") + data), 40, 0, 8,
         ""},
        {"not RIFF", "RIFX" + riff(fmt + data).substr(4), -1, 0, 0, "not a WAV"},
        {"not WAVE", "RIFF" + LE32(1000) + "AVI " + fmt + data, -1, 0, 0, "not a WAV"},
        {"no fmt", riff(WavChunk("LIST", fmt.substr(8)) + data), -1, 0, 0, "\"fmt \""},
        {"fmt body of 14 bytes", riff(WavChunk("fmt ", fmt.substr(8, 14)) + data), -1, 0, 0, "fmt"},
        {"fmt past the end", riff("fmt " + LE32(0xFFFFFFF0) + fmt.substr(8)), -1, 0, 0, "fmt"},
        {"float samples", riff(WavFormat(1, 32, 8000, 3) + data), -1, 0, 0, "integer PCM"},
        {"24-bit", riff(WavFormat(1, 24) + data), -1, 0, 0, "8- or 16-bit"},
        {"3 channels", riff(WavFormat(3, 16) + data), -1, 0, 0, "8- or 16-bit"},
        {"eleven chunks", riff(fmt + tenChunks + WavChunk("junk", "") + data), 36, -2, 0, "ten"},
        {"chunk past the end", riff(fmt + "LIST" + LE32(1000) + data), 36, -1, 0, "past the end"},
        {"no data chunk", riff(fmt + WavChunk("LIST", "x")), 36, -1, 0, "no \"data\""},
        {"data size absurd", riff(fmt + "data" + LE32(0xFFFFFFFF) + "ab"), 36, 0, -1, "past the"},
        {"AIFF", aiff, 12, 26, 16, ""},
        {"AIFC", "FORM" + aiff.substr(4, 4) + "AIFC" + aiff.substr(12), -1, 0, 0, "not an AIFF"},
        {"form past the end", "FORM" + BE32(0x7FFFFFF0) + aiff.substr(8), -1, 0, 0, "FORM chunk"},
        {"form size wrapping", "FORM" + BE32(0xFFFFFFFC) + aiff.substr(8), -1, 0, 0, "FORM chunk"},
        {"unknown chunk", AiffFile(comm + AiffChunk("FVER", "1234") + sound), 12, -1, 0, "FVER"},
        {"COMM too short", AiffFile(AiffChunk("COMM", std::string(16, '\1')) + sound), 12, -1, 0,
         "\"COMM\" chunk is cut short"},
        {"no channels", AiffFile(AiffComm(0, 16, 2) + sound), 12, -1, 0, "or stereo"},
        {"12-bit samples", AiffFile(AiffComm(1, 12, 2) + sound), 12, -1, 0, "32-bit"},
        {"chunk past the form", AiffFile(comm + "SSND" + BE32(100) + "abcd"), 12, -2, 0, "FORM"},
        {"odd last chunk without its pad",
         WithoutFinalPad(AiffFile(comm + sound + AiffChunk("NAME", "odd"))), 12, -2, 0,
         "past the end of the file"},
        {"no COMM", AiffFile(AiffChunk("NAME", "x") + sound), 12, -3, 0, "no \"COMM\""},
        {"no SSND", AiffFile(comm), 12, -3, 0, "no \"SSND\""},
        {"two SSND", AiffFile(comm + sound + sound), 12, -3, 0, "more than one"},
        {"SSND shorter than its fields", AiffFile(comm + AiffChunk("SSND", "1234")), 12, 26, -1,
         "\"SSND\" chunk is cut short"},
    };
    for (const BrokenCase& c : cases) {
        const ReaderRun run = ReadBytes(c.file);
        EXPECT_EQ(run.head, c.head) << c.name;
        EXPECT_EQ(run.middle, c.middle) << c.name;
        EXPECT_EQ(run.data, c.data) << c.name;
        EXPECT_EQ(run.frames.size(), c.data > 0 ? 2u : 0u) << c.name;
        EXPECT_TRUE(*c.problem != '\0' ? run.problem.find(c.problem) != std::string::npos
                                       : run.problem.empty())
            << c.name << ": " << run.problem;
    }
}

TEST(CWAVin, DataThatVanishesDuringTheRunFailsInsteadOfInventingSamples) {
    TempDir dir;
    const std::string path = dir.File("in.wav");
    WriteFileBytes(path, WavFile(WavFormat(1, 8), "", std::string(20000, 'x')));
    CWAVin reader(path);
    std::vector<uint8_t> piece;
    ASSERT_EQ(reader.OpenFile(), 0);
    ASSERT_GT(reader.ReadHeadInfo(&piece), 0);
    ASSERT_EQ(reader.ReadMiddleInfo(&piece), 0);
    ASSERT_EQ(reader.ReadDataHeader(&piece), 8);
    ASSERT_EQ(truncate(path.c_str(), 100), 0);
    tSample frame;
    EXPECT_EQ(reader.GetNextSample(&frame), -2);
    EXPECT_FALSE(reader.Problem().empty());
}

// Sizes that the file really backs, but too large to hold as a header piece: refused
// before anything is allocated. Sparse files keep this fast.
TEST(CWAVin, PiecesBeyond64MiBAreRefused) {
    TempDir dir;
    const std::string path = dir.File("in.wav");
    const uint32_t huge = 65u << 20;
    WriteFileBytes(path, "RIFF" + LE32(4) + "WAVE" + WavFormat(1, 8) + "LIST" + LE32(huge));
    ASSERT_EQ(truncate(path.c_str(), 44 + huge + 8), 0);
    ReaderRun run = ReadFile(path);
    EXPECT_EQ(run.middle, -1);
    EXPECT_NE(run.problem.find("64 MiB"), std::string::npos) << run.problem;

    WriteFileBytes(path, WavFile(WavFormat(1, 8), "", "abcd"));
    ASSERT_EQ(truncate(path.c_str(), huge), 0);
    run = ReadFile(path);
    EXPECT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(run.trailer, -1);
    EXPECT_NE(run.problem.find("64 MiB"), std::string::npos) << run.problem;
}

TEST(CAudioInFile, OpenAndCloseCodes) {
    TempDir dir;
    WriteFileBytes(dir.File("in.wav"), WavFile(WavFormat(1, 8), "", "abc"));
    CWAVin missing(dir.File("missing.wav"));
    EXPECT_EQ(missing.OpenFile(), -1);
    EXPECT_EQ(missing.CloseFile(), -2);
    EXPECT_EQ(missing.ResetFile(), -1);
    CWAVin reader(dir.File("in.wav"));
    std::vector<uint8_t> piece;
    EXPECT_EQ(reader.ReadHeadInfo(&piece), -1);
    EXPECT_EQ(reader.OpenFile(), 0);
    EXPECT_EQ(reader.OpenFile(), -3);
    EXPECT_EQ(reader.ResetFile(), 0);
    EXPECT_EQ(reader.CloseFile(), 0);
    EXPECT_EQ(reader.CloseFile(), -2);
}

} // namespace
