#include "audio/CWAVin.h"
#include "audio/AudioFixtures.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

ReaderRun ReadBytes(const std::string& bytes) {
    TempDir dir;
    WriteFileBytes(dir.File("in.wav"), bytes);
    CWAVin reader(dir.File("in.wav"));
    return RunReader(reader);
}

TEST(CWAVin, HandsOutTheWholeFileAroundTheFrames) {
    const std::string format = WavFormat(2, 16, 44100);
    const std::string before = WavChunk("LIST", std::string(25, 'L')) + WavChunk("fact", LE32(4));
    // Four frames and one stray byte; odd data gets a pad byte; a LIST follows it.
    const std::string samples =
        LE16(0xFFFF) + LE16(0x8000) + LE16(0x7FFF) + LE16(1) + std::string(8, '\0') + "s";
    const std::string after = WavChunk("LIST", "INFOtitle");
    const std::string file = WavFile(format, before, samples, after);
    const ReaderRun run = ReadBytes(file);
    ASSERT_EQ(run.head, 36);
    EXPECT_EQ(run.headPiece, file.substr(0, 36));
    ASSERT_EQ(run.middle, 34 + 12);
    EXPECT_EQ(run.middlePiece, before);
    EXPECT_EQ(run.data, 8);
    ASSERT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(run.frames[0].left, -65536);
    EXPECT_EQ(run.frames[0].right, INT32_MIN);
    EXPECT_EQ(run.frames[1].left, 0x7FFF0000);
    EXPECT_EQ(run.frames[1].right, 65536);
    EXPECT_EQ(run.end, -1);
    EXPECT_EQ(run.trailerPiece, "s" + std::string(1, '\0') + after);
    EXPECT_EQ(run.headPiece + run.middlePiece + file.substr(SampleStart(file) - 8, 8) +
                  file.substr(SampleStart(file), 16) + run.trailerPiece,
              file);
}

TEST(CWAVin, EightBitSamplesAreUnsignedAndMonoLeavesRightAlone) {
    const std::string samples{'\x00', '\x80', '\xFF'};
    const ReaderRun run = ReadBytes(WavFile(WavFormat(1, 8), "", samples));
    EXPECT_EQ(run.middle, 0);
    EXPECT_TRUE(run.middlePiece.empty());
    ASSERT_EQ(run.frames.size(), 3u);
    EXPECT_EQ(run.frames[0].left, INT32_MIN);
    EXPECT_EQ(run.frames[1].left, 0);
    EXPECT_EQ(run.frames[2].left, 127 << 24);
    EXPECT_EQ(run.frames[2].right, -7);
    // The pad byte of the odd data is all that follows the frames.
    EXPECT_EQ(run.trailerPiece, std::string(1, '\0'));
}

struct BrokenCase {
    const char* name;
    std::string file;
    long head, middle, data;
};

// One valid file, one corruption per row; each is refused with its code, and no
// size in it leads to a large allocation or a read past the end.
TEST(CWAVin, BrokenFilesAreRefusedWithTheirCodes) {
    const std::string fmt = WavFormat(1, 16);
    const std::string data = WavChunk("data", std::string(100, 'd'));
    std::string tenChunks;
    for (int i = 0; i < 10; ++i) {
        tenChunks += WavChunk("junk", "j");
    }
    const auto riff = [](const std::string& body) { return "RIFF" + LE32(1000) + "WAVE" + body; };
    const BrokenCase cases[] = {
        {"valid", riff(fmt + data), 36, 0, 8},
        {"ten chunks before data", riff(fmt + tenChunks + data), 36, 100, 8},
        {"not RIFF", "RIFX" + riff(fmt + data).substr(4), -1, 0, 0},
        {"float samples", riff(WavFormat(1, 32, 8000, 3) + data), -1, 0, 0},
        {"fmt size past the end", riff("fmt " + LE32(0xFFFFFFF0) + fmt.substr(8)), -1, 0, 0},
        {"eleven chunks", riff(fmt + tenChunks + WavChunk("junk", "") + data), 36, -2, 0},
        {"chunk past the end", riff(fmt + "LIST" + LE32(0x7FFFFFFF) + data), 36, -1, 0},
        {"no data chunk", riff(fmt + WavChunk("LIST", "x")), 36, -1, 0},
        {"data cut short", riff(fmt + data).substr(0, 100), 36, 0, -1},
        {"data size absurd", riff(fmt + "data" + LE32(0xFFFFFFFF) + "dd"), 36, 0, -1},
    };
    for (const BrokenCase& c : cases) {
        const ReaderRun run = ReadBytes(c.file);
        EXPECT_EQ(run.head, c.head) << c.name;
        EXPECT_EQ(run.middle, c.middle) << c.name;
        EXPECT_EQ(run.data, c.data) << c.name;
        EXPECT_EQ(run.frames.size(), c.data > 0 ? 50u : 0u) << c.name;
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
    CWAVin listReader(path);
    EXPECT_EQ(RunReader(listReader).middle, -1);

    WriteFileBytes(path, WavFile(WavFormat(1, 8), "", "abcd"));
    ASSERT_EQ(truncate(path.c_str(), huge), 0);
    CWAVin trailerReader(path);
    const ReaderRun run = RunReader(trailerReader);
    EXPECT_EQ(run.frames.size(), 4u);
    EXPECT_EQ(run.trailer, -1);
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
