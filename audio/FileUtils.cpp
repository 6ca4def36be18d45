#include "audio/FileUtils.h"

#include <cmath>

double GetAppleExtended(const uint8_t* b) noexcept {
    const bool negative = (b[0] & 0x80) != 0;
    const int exponent = (b[0] & 0x7F) << 8 | b[1];
    const uint32_t hiMant = bec2l(b + 2);
    const uint32_t loMant = bec2l(b + 6);
    if (exponent == 0 && hiMant == 0 && loMant == 0) {
        return negative ? -0.0 : 0.0;
    }
    // 16383 is the exponent bias; the mantissa's integer bit is bit 63, so the high
    // word carries 31 more binary places and the low word 63.
    const double value = std::ldexp(static_cast<double>(hiMant), exponent - 16414) +
                         std::ldexp(static_cast<double>(loMant), exponent - 16446);
    return negative ? -value : value;
}

uint8_t GetChar(std::FILE* stream) {
    return static_cast<uint8_t>(std::fgetc(stream));
}

uint16_t GetBigShort(std::FILE* stream) {
    const uint16_t high = GetChar(stream);
    return static_cast<uint16_t>(high << 8 | GetChar(stream));
}

uint16_t GetLittleShort(std::FILE* stream) {
    const uint16_t low = GetChar(stream);
    return static_cast<uint16_t>(GetChar(stream) << 8 | low);
}

uint32_t GetBig24Bit(std::FILE* stream) {
    uint32_t value = GetChar(stream);
    value = value << 8 | GetChar(stream);
    return value << 8 | GetChar(stream);
}

uint32_t GetBigLong(std::FILE* stream) {
    const uint32_t high = GetBigShort(stream);
    return high << 16 | GetBigShort(stream);
}

void PutChar(uint8_t value, std::FILE* stream) {
    std::fputc(value, stream);
}

void PutBigShort(uint16_t value, std::FILE* stream) {
    PutChar(static_cast<uint8_t>(value >> 8), stream);
    PutChar(static_cast<uint8_t>(value), stream);
}

void PutLittleShort(uint16_t value, std::FILE* stream) {
    PutChar(static_cast<uint8_t>(value), stream);
    PutChar(static_cast<uint8_t>(value >> 8), stream);
}

void PutBig24Bit(uint32_t value, std::FILE* stream) {
    PutChar(static_cast<uint8_t>(value >> 16), stream);
    PutBigShort(static_cast<uint16_t>(value), stream);
}

void PutBigLong(uint32_t value, std::FILE* stream) {
    PutBigShort(static_cast<uint16_t>(value >> 16), stream);
    PutBigShort(static_cast<uint16_t>(value), stream);
}
