#include "audio/CAIFFin.h"
#include "audio/AudioFixtures.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

ReaderRun ReadBytes(const std::string& bytes) {
    TempDir dir;
    WriteFileBytes(dir.File("in.aiff"), bytes);
    CAIFFin reader(dir.File("in.aiff"));
    return RunReader(reader);
}

TEST(CAIFFin, CommAfterSoundLandsInTheMiddlePieceAndOddDataGetsItsPad) {
    std::string samples(1001, '\0');
    samples[0] = '\x80';
    samples[1] = '\x7F';
    const std::string name = AiffChunk("NAME", "odd");
    const std::string comm = AiffComm(1, 8, 1001);
    const ReaderRun run = ReadBytes(AiffFile(AiffSound(samples) + name + comm));
    EXPECT_EQ(run.head, 12);
    EXPECT_EQ(run.middlePiece, name + comm);
    EXPECT_EQ(run.data, 16);
    ASSERT_EQ(run.frames.size(), 1001u);
    EXPECT_EQ(run.frames[0].left, INT32_MIN);
    EXPECT_EQ(run.frames[1].left, 127 << 24);
    EXPECT_EQ(run.frames[1].right, -7);
    EXPECT_EQ(run.trailer, 1);
    EXPECT_EQ(run.trailerPiece, std::string(1, '\0'));
}

TEST(CAIFFin, WideSamplesAreSignedBigEndianLeftJustified) {
    const std::string s24 = std::string("\xFF\xFF\xFF\x80\x00\x01\x12\x34\x56", 9);
    ReaderRun run = ReadBytes(AiffFile(AiffComm(1, 24, 3) + AiffSound(s24)));
    ASSERT_EQ(run.frames.size(), 3u);
    EXPECT_EQ(run.frames[0].left, -256);
    EXPECT_EQ(run.frames[1].left, static_cast<int32_t>(0x80000100u));
    EXPECT_EQ(run.frames[2].left, 0x12345600);

    // Stereo 32-bit, and one stray byte after the last whole frame with its pad.
    const std::string s32 = BE32(0xFFFFFFFE) + BE32(0x7FFFFFFF) + "x";
    run = ReadBytes(AiffFile(AiffComm(2, 32, 1) + AiffSound(s32)));
    ASSERT_EQ(run.frames.size(), 1u);
    EXPECT_EQ(run.frames[0].left, -2);
    EXPECT_EQ(run.frames[0].right, INT32_MAX);
    EXPECT_EQ(run.trailerPiece, std::string("x") + '\0');

    // A file that ends without the final pad byte is read; the pad is supplied.
    std::string file = AiffFile(AiffComm(1, 16, 1) + AiffSound("\xFF\xFE"
                                                               "q"));
    file.pop_back();
    file.replace(4, 4, BE32(static_cast<uint32_t>(file.size() - 8)));
    run = ReadBytes(file);
    ASSERT_EQ(run.frames.size(), 1u);
    EXPECT_EQ(run.frames[0].left, -2 * 65536);
    EXPECT_EQ(run.trailerPiece, std::string("q") + '\0');
}

struct BrokenCase {
    const char* name;
    std::string file;
    long head, middle, data;
};

TEST(CAIFFin, BrokenFilesAreRefusedWithTheirCodes) {
    const std::string comm = AiffComm(1, 16, 2);
    const std::string sound = AiffSound("abcd");
    const std::string valid = AiffFile(comm + sound);
    const BrokenCase cases[] = {
        {"valid", valid, 12, 26, 16},
        {"AIFC", "FORM" + valid.substr(4, 4) + "AIFC" + valid.substr(12), -1, 0, 0},
        {"form past the end", "FORM" + BE32(0x7FFFFFF0) + valid.substr(8), -1, 0, 0},
        {"form size wrapping 32 bits", "FORM" + BE32(0xFFFFFFFC) + valid.substr(8), -1, 0, 0},
        {"unknown chunk", AiffFile(comm + AiffChunk("FVER", "1234") + sound), 12, -1, 0},
        {"12-bit samples", AiffFile(AiffComm(1, 12, 2) + sound), 12, -1, 0},
        {"COMM too short", AiffFile(AiffChunk("COMM", std::string(8, '\0')) + sound), 12, -1, 0},
        {"chunk past the form", AiffFile(comm + "SSND" + BE32(100) + "abcd"), 12, -2, 0},
        {"no COMM", AiffFile(AiffChunk("NAME", "x") + sound), 12, -3, 0},
        {"no SSND", AiffFile(comm), 12, -3, 0},
        {"two SSND", AiffFile(comm + sound + sound), 12, -3, 0},
        {"SSND shorter than its fields", AiffFile(comm + AiffChunk("SSND", "1234")), 12, 26, -1},
    };
    for (const BrokenCase& c : cases) {
        const ReaderRun run = ReadBytes(c.file);
        EXPECT_EQ(run.head, c.head) << c.name;
        EXPECT_EQ(run.middle, c.middle) << c.name;
        EXPECT_EQ(run.data, c.data) << c.name;
        EXPECT_EQ(run.frames.size(), c.data > 0 ? 2u : 0u) << c.name;
    }
}

} // namespace
