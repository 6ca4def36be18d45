#include "audio/WAV.h"
#include "audio/AudioFixtures.h"
#include "audio/MemoryStream.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* name;
    std::string chunk;
    int code;
};

// One valid format chunk, then one broken field per row.
TEST(WAV, ReadWAVFormatCodes) {
    const FormatCase cases[] = {
        {"8-bit mono", WavFormat(1, 8), 0},
        {"16-bit mono", WavFormat(1, 16), 1},
        {"8-bit stereo", WavFormat(2, 8), 2},
        {"16-bit stereo", WavFormat(2, 16), 3},
        {"longer body with pad", WavChunk("fmt ", WavFormat(2, 16).substr(8) + "xyz"), 3},
        {"not fmt", "LIST" + WavFormat(1, 16).substr(4), -1},
        {"body of 14 bytes", WavChunk("fmt ", WavFormat(1, 16).substr(8, 14)), -1},
        {"body past the end", WavFormat(1, 16).substr(0, 20), -1},
        {"float", WavFormat(1, 32, 8000, 3), -2},
        {"24-bit", WavFormat(1, 24), -3},
        {"3 channels", WavFormat(3, 16, 1234), -3},
    };
    for (const FormatCase& c : cases) {
        MemoryStream s(c.chunk);
        std::vector<uint8_t> chunk{9};
        uint32_t rate = 7;
        EXPECT_EQ(ReadWAVFormat(s.get(), &chunk, &rate), c.code) << c.name;
        if (c.code >= 0) {
            EXPECT_EQ(rate, 8000u) << c.name;
            EXPECT_EQ(chunk.size(), 1 + c.chunk.size()) << c.name;
            EXPECT_EQ(s.Position(), static_cast<long>(c.chunk.size())) << c.name;
        }
    }
    MemoryStream threeChannels(WavFormat(3, 16, 1234));
    std::vector<uint8_t> chunk;
    uint32_t rate = 7;
    ReadWAVFormat(threeChannels.get(), &chunk, &rate);
    EXPECT_EQ(rate, 7u);
}

TEST(WAV, ChunkWalkStopsAtTheEndOfTheFile) {
    std::array<uint8_t, 12> head{};
    MemoryStream notWave("RIFF" + LE32(100) + "AVI " + WavFormat(1, 8));
    EXPECT_EQ(ReadWAVHead(notWave.get(), head), 0);

    // LIST of odd size 25 takes 34 bytes with its pad byte; "data" follows at once.
    MemoryStream s(WavChunk("LIST", std::string(25, 'L')) + WavChunk("data", "abcd") + "LIST" +
                   LE32(0xFFFFFFF0) + "short");
    std::vector<uint8_t> chunk;
    ASSERT_TRUE(ReadWChunk(s.get(), &chunk));
    EXPECT_EQ(chunk.size(), 34u);
    std::array<uint8_t, 8> data{};
    EXPECT_EQ(ReadWDataHeader(s.get(), data), 4);
    std::fseek(s.get(), 4, SEEK_CUR);
    EXPECT_EQ(GetNextChunkSize(s.get()), 0xFFFFFFF0);
    EXPECT_FALSE(ReadWChunk(s.get(), &chunk));
    EXPECT_EQ(chunk.size(), 34u);
    std::fseek(s.get(), 8, SEEK_CUR);
    EXPECT_EQ(GetNextChunkSize(s.get()), -1);
    EXPECT_EQ(ReadWDataHeader(s.get(), data), -1);
}

} // namespace
