#include "audio/AudioFixtures.h"
#include "audio/CWAVin.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Samples = std::vector<double>;

std::string WavExtensible(int channels, int bits, int subformat) {
    const auto align = static_cast<uint32_t>(channels * bits / 8);
    return WavChunk("fmt ", LE16(0xFFFE) + LE16(static_cast<uint32_t>(channels)) + LE32(8000) +
                                LE32(8000 * align) + LE16(align) +
                                LE16(static_cast<uint32_t>(bits)) + LE16(22) +
                                LE16(static_cast<uint32_t>(bits)) + LE32(3) +
                                LE16(static_cast<uint32_t>(subformat)) +
                                std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14));
}

std::string AifcComm(int channels, int bits, const std::string& type) {
    return AiffChunk("COMM", AiffComm(channels, bits, 1).substr(8) + type + std::string(2, '\0'));
}

// The codings libsndfile does not write, from bytes written by hand; the values are
// the format's own steps.
TEST(CAudioInFile, DecodesTheCodingsOtherWritersUse) {
    const struct {
        const char* name;
        std::string file;
        Samples samples;
    } cases[] = {
        {"extensible 24 in 3 channels",
         WavFile(WavExtensible(3, 24, 1), "",
                 std::string("\xFF\xFF\x7F\x00\x00\x80\x01\x00\x00", 9)),
         {8388607, -8388608, 1}},
        {"AIFF-C NONE", AiffFile(AifcComm(1, 16, "NONE") + AiffSound(BE16(0xFFFE)), "AIFC"), {-2}},
        {"AIFF-C twos", AiffFile(AifcComm(1, 8, "twos") + AiffSound("\x80"), "AIFC"), {-128}},
        {"AIFF-C FL64",
         AiffFile(AifcComm(1, 64, "FL64") + AiffSound(BE32(0xC0000000) + BE32(0)), "AIFC"),
         {-2.0}},
        {"AIFF with an ID3 chunk",
         AiffFile(AiffComm(1, 16, 1) + AiffChunk("ID3 ", "x") + AiffSound(BE16(3))),
         {3}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadBytes(c.file).samples, c.samples) << c.name;
    }
}

TEST(CWAVin, HandsOutTheWholeFileAroundTheFramesWithChunksAnywhere) {
    const std::string junk = WavChunk("JUNK", std::string(25, 'J'));
    const std::string before = WavChunk("LIST", std::string(25, 'L')) + WavChunk("fact", LE32(4));
    // Two frames and one stray byte of a third, which is no sample to pass on unfiltered.
    const std::string samples = LE16(0xFFFF) + LE16(0x8000) + LE16(0x7FFF) + LE16(1) + "s";
    const std::string after = WavChunk("LIST", "INFOtitle");
    const std::string file = "RIFF" + LE32(0) + "WAVE" + junk + WavFormat(2, 16, 44100) + before +
                             WavChunk("data", samples) + after;
    const ReaderRun run = ReadBytes(file);
    EXPECT_EQ(run.headPiece, file.substr(0, 12 + junk.size() + 24));
    EXPECT_EQ(run.middlePiece, before);
    EXPECT_EQ(run.rate, 44100u);
    EXPECT_EQ(run.samples, (Samples{-1, -32768, 32767, 1}));
    EXPECT_EQ(run.trailerPiece, std::string(2, '\0') + after);
    EXPECT_EQ(run.warning, "");
}

// A recording never finished: the data runs to the end of the file in whole frames and
// the pieces state the true sizes. Data of a size the file backs is trusted, and every
// byte after it is handed on as it is, chunks or not.
TEST(CWAVin, UnfinishedRecordingsAreReadToTheEndOfTheFile) {
    const std::string fmt = WavFormat(1, 16);
    const auto file = [&fmt](uint32_t size, const std::string& rest) {
        return "RIFF" + LE32(0) + "WAVE" + fmt + "data" + LE32(size) + rest;
    };
    const std::string six = LE16(1) + LE16(2) + LE16(3);
    const std::string chunk = WavChunk("LIST", "abc");
    const std::string id3v1 = "TAG" + std::string(125, '\x7F');
    const std::string id3v2 = std::string("ID3\x04\0\0\0\0\0\x03", 10) + "abc";
    const struct {
        const char* name;
        std::string file;
        size_t frames;
        bool warned;
        std::string trailer;
    } cases[] = {
        {"size 0", file(0, six), 3, true, ""},
        {"size 0xFFFFFFFF", file(0xFFFFFFFF, six + "x"), 3, true, ""},
        {"size past the end", file(100, six), 3, true, ""},
        {"bytes that are no chunk after", file(2, six), 1, false, six.substr(2)},
        {"a chunk cut short after", file(2, LE16(1) + chunk.substr(0, 9)), 1, false,
         chunk.substr(0, 9)},
        {"a chunk after", file(2, LE16(1) + chunk), 1, false, chunk},
        {"an ID3v1 tag after", file(2, LE16(1) + id3v1), 1, false, id3v1},
        {"an ID3v2 tag after odd data", file(1, "\x01" + id3v2), 0, false,
         std::string(1, '\0') + id3v2},
        {"odd data without its pad", file(3, LE16(1) + "x"), 1, false, std::string(2, '\0')},
        {"empty", file(0, ""), 0, false, ""},
    };
    for (const auto& c : cases) {
        const ReaderRun run = ReadBytes(c.file);
        ASSERT_EQ(run.samples.size(), c.frames) << c.name << ": " << run.problem;
        EXPECT_EQ(!run.warning.empty(), c.warned) << c.name;
        EXPECT_EQ(run.trailerPiece, c.trailer) << c.name;
        if (c.warned) {
            const uint32_t bytes = static_cast<uint32_t>(2 * c.frames);
            EXPECT_EQ(run.headPiece.substr(4, 4), LE32(4 + 24 + 8 + bytes + bytes % 2)) << c.name;
        }
    }
}

// Past 4 GiB of data the sizes no longer fit a WAV file: the head becomes RF64's, with
// the true sizes in a "ds64" chunk first in the form. A sparse file keeps this fast.
TEST(CWAVin, UnfinishedRecordingsBeyond4GiBBecomeRF64) {
    TempDir dir;
    const std::string path = dir.File("in.wav");
    const std::string fmt = WavFormat(2, 16);
    WriteFileBytes(path, "RIFF" + LE32(0) + "WAVE" + fmt + "data" + LE32(0));
    const int64_t frames = (int64_t{5} << 30) / 4;
    ASSERT_EQ(truncate(path.c_str(), 44 + frames * 4 + 3), 0);
    CWAVin reader(path);
    std::vector<uint8_t> piece;
    ASSERT_EQ(reader.OpenFile(), 0);
    ASSERT_EQ(reader.ReadHeadInfo(&piece), 12 + 36 + 24);
    const auto le64 = [](int64_t v) {
        return LE32(static_cast<uint32_t>(v)) + LE32(static_cast<uint32_t>(v >> 32));
    };
    EXPECT_EQ(std::string(piece.begin(), piece.end()),
              "RF64" + LE32(0xFFFFFFFF) + "WAVE" + "ds64" + LE32(28) +
                  le64(4 + 36 + 24 + 8 + frames * 4) + le64(frames * 4) + le64(frames) + LE32(0) +
                  fmt);
    ASSERT_EQ(reader.ReadMiddleInfo(&piece), 0);
    ASSERT_EQ(reader.ReadDataHeader(&piece), 8);
    EXPECT_EQ(std::string(piece.begin(), piece.end()), "data" + LE32(0xFFFFFFFF));
    EXPECT_EQ(reader.GetFrameCount(), frames);
    EXPECT_NE(reader.Warning().find(std::to_string(frames) + " frames up to the end are read, "
                                                             "and the output is written as RF64"),
              std::string::npos)
        << reader.Warning();
}

// One valid file of each format, then one corruption per row: each is refused by the
// piece it breaks, with its code and reason, and no size in it leads to a large
// allocation or a read past the end. From a file the reader does exactly as from memory.
TEST(CAudioInFile, BrokenFilesAreRefusedWithTheirCodesAndReasons) {
    const std::string fmt = WavFormat(1, 16);
    const std::string data = WavChunk("data", "abcd");
    const auto riff = [](const std::string& body) { return "RIFF" + LE32(1000) + "WAVE" + body; };
    const std::string comm = AiffComm(1, 16, 2);
    const std::string sound = AiffSound("abcd");
    const std::string aiff = AiffFile(comm + sound);
    const struct {
        const char* name;
        std::string file;
        long head, middle, data;
        const char* problem;
    } cases[] = {
        {"WAV", riff(fmt + data), 36, 0, 8, ""},
        {"fmt body of 19 bytes", riff(WavChunk("fmt ", fmt.substr(8) + "xyz") + data), 40, 0, 8,
         ""},
        {"not RIFF", "RIFX" + riff(fmt + data).substr(4), -1, 0, 0, "not a WAV"},
        {"not WAVE", "RIFF" + LE32(1000) + "AVI " + fmt + data, -1, 0, 0, "not a WAV"},
        {"no fmt", riff(WavChunk("LIST", fmt.substr(8)) + data), -1, 0, 0, "\"fmt \""},
        {"two fmt", riff(fmt + fmt + data), -1, 0, 0, "two"},
        {"fmt body of 14 bytes", riff(WavChunk("fmt ", fmt.substr(8, 14)) + data), -1, 0, 0, "fmt"},
        {"fmt past the end", riff("fmt " + LE32(0xFFFFFFF0) + fmt.substr(8)), -1, 0, 0,
         "the \"fmt \" chunk runs past the end of the file"},
        {"ADPCM", riff(WavFormat(1, 4, 8000, 2) + data), -1, 0, 0, "format 2"},
        {"12-bit", riff(WavFormat(1, 12) + data), -1, 0, 0, "12-bit PCM"},
        {"65 channels", riff(WavFormat(65, 16) + data), -1, 0, 0, "65 channels"},
        {"unknown subformat", riff(WavExtensible(1, 16, 1).replace(40, 1, "x") + data), -1, 0, 0,
         "subformat"},
        {"frame size", riff(WavFormat(1, 16).replace(20, 2, LE16(3)) + data), -1, 0, 0, "frame"},
        {"chunk past the end", riff(fmt + "LIST" + LE32(1000) + data), -1, 0, 0, "past the end"},
        {"no data chunk", riff(fmt + WavChunk("LIST", "x")), -1, 0, 0, "no \"data\""},
        {"AIFF", aiff, 12, 26, 16, ""},
        {"AIFF-C without its type", AiffFile(comm + sound, "AIFC"), 12, -1, 0, "cut short"},
        {"AIFF-C compressed", AiffFile(AifcComm(1, 16, "ulaw") + sound, "AIFC"), 12, -1, 0,
         "\"ulaw\""},
        {"form past the end, repaired", "FORM" + BE32(0xFFFFFFFC) + aiff.substr(8), 12, 26, 16, ""},
        {"form past the end mid-chunk", "FORM" + BE32(0xFFFFFFFC) + aiff.substr(8) + "NAME", 12, -2,
         0, "the FORM chunk runs past the end of the file"},
        {"COMM too short", AiffFile(AiffChunk("COMM", std::string(16, '\1')) + sound), 12, -1, 0,
         "\"COMM\" chunk is cut short"},
        {"no channels", AiffFile(AiffComm(0, 16, 2) + sound), 12, -1, 0, "0 channels"},
        {"12-bit samples", AiffFile(AiffComm(1, 12, 2) + sound), 12, -1, 0, "12-bit"},
        {"chunk past the form",
         AiffFile(comm + AiffChunk("NAME", "x") + sound).replace(4, 4, BE32(34)), 12, -2, 0,
         "past the end of the FORM"},
        {"SSND header cut", AiffFile(comm + "SSND" + BE32(100) + "abcd"), 12, -2, 0,
         "\"SSND\" chunk is cut short"},
        {"odd last chunk without its pad",
         WithoutFinalPad(AiffFile(comm + sound + AiffChunk("NAME", "odd"))), 12, -2, 0,
         "past the end of the file"},
        {"no COMM", AiffFile(AiffChunk("NAME", "x") + sound), 12, -3, 0, "no \"COMM\""},
        {"no SSND", AiffFile(comm), 12, -3, 0, "no \"SSND\""},
        {"two SSND", AiffFile(comm + sound + sound), 12, -3, 0, "more than one"},
        {"SSND shorter than its fields", AiffFile(comm + AiffChunk("SSND", "1234")), 12, 26, -1,
         "\"SSND\" chunk is cut short"},
        {"SSND offset beyond its samples",
         AiffFile(comm + AiffChunk("SSND", BE32(5) + BE32(0) + "abcd")), 12, 26, -1,
         "offset lies beyond its samples"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const ReaderRun run = ReadBytes(c.file);
        WriteFileBytes(dir.File("in"), c.file);
        EXPECT_TRUE(ReadFile(dir.File("in")) == run) << c.name;
        EXPECT_EQ(run.head, c.head) << c.name;
        EXPECT_EQ(run.middle, c.middle) << c.name;
        EXPECT_EQ(run.data, c.data) << c.name;
        EXPECT_EQ(run.samples.size(), c.data > 0 ? 2u : 0u) << c.name;
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
    double sample = 0;
    EXPECT_EQ(reader.ReadFrames(&sample, 1), -2);
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
    EXPECT_EQ(run.head, -1);
    EXPECT_EQ(run.problem, "the \"LIST\" chunk would make the chunks besides the samples exceed "
                           "64 MiB");
}

} // namespace
