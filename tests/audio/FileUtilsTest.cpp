#include "audio/FileUtils.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

double Extended(std::vector<uint8_t> b) {
    return GetAppleExtended(b.data());
}

TEST(FileUtils, BufferConvertersReadBothByteOrders) {
    const uint8_t b[] = {0x01, 0x02, 0x03, 0x04};
    EXPECT_EQ(lec2l(b), 0x04030201u);
    EXPECT_EQ(bec2l(b), 0x01020304u);
    EXPECT_EQ(lec2s(b), 0x0201u);
    EXPECT_EQ(bec2s(b), 0x0102u);
    EXPECT_EQ(FourCC("RIFF"), 0x52494646u);
}

TEST(FileUtils, ExtendedFloatDecodesRatesZerosAndOverflow) {
    EXPECT_EQ(Extended({0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0}), 44100.0);
    EXPECT_EQ(Extended({0x40, 0x0B, 0xFA, 0, 0, 0, 0, 0, 0, 0}), 8000.0);
    // Bits in the low mantissa word count too: 2^-63 beyond 1.0 is below a double's
    // precision, 2^-52 is not.
    EXPECT_EQ(Extended({0x3F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0x08, 0}), 1.0 + std::ldexp(1.0, -52));
    const double zero = Extended({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(zero, 0.0);
    EXPECT_FALSE(std::signbit(zero));
    EXPECT_TRUE(std::signbit(Extended({0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_TRUE(std::isinf(Extended({0x7F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_EQ(Extended({0x00, 0x00, 0x80, 0, 0, 0, 0, 0, 0, 0}), 0.0);
}

// The stream helpers on a temporary file: writers, then readers, then reading past
// the end.
TEST(FileUtils, StreamHelpersRoundTripAndReadFFPastTheEnd) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    PutChar(0xAB, f);
    PutBigShort(0x1234, f);
    PutLittleShort(0x1234, f);
    PutBig24Bit(0x12345678, f);
    PutBigLong(0x89ABCDEF, f);
    PutBig24Bit(0xFFFFFF, f);
    std::rewind(f);
    EXPECT_EQ(BytesLeft(f), 15);
    std::vector<uint8_t> bytes(15);
    ASSERT_TRUE(ReadExactly(f, bytes.data(), bytes.size()));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xAB, 0x12, 0x34, 0x34, 0x12, 0x34, 0x56, 0x78, 0x89,
                                           0xAB, 0xCD, 0xEF, 0xFF, 0xFF, 0xFF}));
    std::rewind(f);
    EXPECT_EQ(GetChar(f), 0xAB);
    EXPECT_EQ(GetBigShort(f), 0x1234);
    EXPECT_EQ(GetLittleShort(f), 0x1234);
    EXPECT_EQ(GetBig24Bit(f), 0x345678u);
    EXPECT_EQ(GetBigLong(f), 0x89ABCDEFu);
    EXPECT_EQ(GetBig24Bit(f), 16777215u);
    EXPECT_EQ(BytesLeft(f), 0);
    EXPECT_EQ(GetBigShort(f), 0xFFFF);
    EXPECT_FALSE(ReadExactly(f, bytes.data(), 1));
    std::fclose(f);
}

} // namespace
