#pragma once

#include <cstdint>
#include <cstdio>

// Byte-order helpers for the sound file formats: WAV stores its fields little-endian,
// AIFF big-endian, and AIFF keeps its sampling rate as an 80-bit extended float.

// Decoders of bytes already in memory; the caller guarantees the bytes are there.
// bec2l also turns a four-character chunk identifier into a comparable number.
// Defined here so that the sample loops inline them.
inline uint32_t bec2l(const uint8_t* b) noexcept {
    return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
           static_cast<uint32_t>(b[2]) << 8 | static_cast<uint32_t>(b[3]);
}
inline uint16_t bec2s(const uint8_t* b) noexcept {
    return static_cast<uint16_t>(b[0] << 8 | b[1]);
}
inline uint32_t lec2l(const uint8_t* b) noexcept {
    return static_cast<uint32_t>(b[3]) << 24 | static_cast<uint32_t>(b[2]) << 16 |
           static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[0]);
}
inline uint16_t lec2s(const uint8_t* b) noexcept {
    return static_cast<uint16_t>(b[1] << 8 | b[0]);
}
// The 80-bit IEEE extended float of b[0..9] (big-endian); an exponent of all ones
// gives an infinite value, denormals underflow to zero.
double GetAppleExtended(const uint8_t* b) noexcept;

// The four-character identifier as bec2l reads it, e.g. FourCC("RIFF") == 0x52494646.
constexpr uint32_t FourCC(const char (&id)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(id[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(id[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(id[2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(id[3]));
}

// Stream readers, one byte at a time. Past the end of the stream every missing byte
// reads as 0xFF, so callers check what is left (BytesLeft) before they use them.
uint8_t GetChar(std::FILE* stream);
uint16_t GetBigShort(std::FILE* stream);
uint16_t GetLittleShort(std::FILE* stream);
// Three bytes into the low 24 bits, without sign extension.
uint32_t GetBig24Bit(std::FILE* stream);
uint32_t GetBigLong(std::FILE* stream);

// Stream writers; errors show in ferror(stream).
void PutChar(uint8_t value, std::FILE* stream);
void PutBigShort(uint16_t value, std::FILE* stream);
void PutLittleShort(uint16_t value, std::FILE* stream);
// Bits 23..0; the top byte is dropped.
void PutBig24Bit(uint32_t value, std::FILE* stream);
void PutBigLong(uint32_t value, std::FILE* stream);

// Header pieces are held in memory whole; a piece larger than this is refused, so that
// no size read from a file, however plausible, can make a reader allocate without
// bound.
inline constexpr int64_t kMaxPieceBytes = int64_t{64} << 20;

// n rounded up to even: chunk bodies of odd length are followed by one pad byte.
constexpr int64_t OddPad(int64_t n) {
    return n + (n % 2);
}
