#include "audio/AIFF.h"
#include "audio/AudioFixtures.h"
#include "audio/FileUtils.h"
#include "audio/MemoryStream.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* name;
    std::string chunk;
    int code;
    uint32_t rate;
};

TEST(AIFF, GetAIFFFormatCodesAndRates) {
    const FormatCase cases[] = {
        {"8-bit mono", AiffComm(1, 8, 10), 1, 8000},
        {"16-bit stereo", AiffComm(2, 16, 10, 44100), 2 | 16, 44100},
        {"24-bit mono", AiffComm(1, 24, 10), 4, 8000},
        {"32-bit stereo", AiffComm(2, 32, 10), 8 | 16, 8000},
        {"fractional rate", AiffComm(1, 16, 10, 22050.5), 2, 22050},
        {"rate too large", AiffComm(1, 16, 10, 1e300), 2, 0},
        {"not COMM", "NAME" + AiffComm(1, 16, 10).substr(4), -1, 7},
        {"body of 16 bytes", AiffChunk("COMM", AiffComm(1, 16, 10).substr(8, 16)) + "xxxx", -1, 7},
        {"cut short", AiffComm(1, 16, 10).substr(0, 20), -1, 7},
        {"no channels", AiffComm(0, 16, 10), -2, 7},
        {"12-bit", AiffComm(1, 12, 10), -3, 7},
    };
    for (const FormatCase& c : cases) {
        MemoryStream s(c.chunk);
        uint32_t rate = 7;
        EXPECT_EQ(GetAIFFFormat(s.get(), &rate), c.code) << c.name;
        EXPECT_EQ(rate, c.rate) << c.name;
        if (c.code >= 0) {
            EXPECT_EQ(s.Position(), 0) << c.name;
        }
    }
}

TEST(AIFF, ChunkSizesAndDataHeader) {
    MemoryStream s(AiffChunk("NAME", "1234567") + AiffChunk("AUTH", "") + AiffSound("abc"));
    EXPECT_EQ(GetNextChunkType(s.get()), FourCC("NAME"));
    EXPECT_EQ(GetAChunkSize(s.get()), 8);
    std::array<uint8_t, 16> data{};
    EXPECT_EQ(ReadAIFFDataHeader(s.get(), data), -1);
    EXPECT_EQ(s.Position(), 0);
    std::fseek(s.get(), 16, SEEK_SET);
    EXPECT_EQ(GetAChunkSize(s.get()), 0);
    std::fseek(s.get(), 8, SEEK_CUR);
    EXPECT_EQ(ReadAIFFDataHeader(s.get(), data), 3);
    EXPECT_EQ(GetAChunkSize(s.get()), -1);

    MemoryStream shortSound(AiffChunk("SSND", "1234567") + "pad");
    EXPECT_EQ(ReadAIFFDataHeader(shortSound.get(), data), -1);
    EXPECT_EQ(shortSound.Position(), 0);
}

} // namespace
