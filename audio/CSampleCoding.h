#pragma once

#include <cstddef>
#include <cstdint>

// How one sample is stored in a sound file: a two's-complement integer of 8 to 32 bits
// (WAV keeps 8-bit samples unsigned, with 128 as zero) or an IEEE float of 32 or 64
// bits, in either byte order. Decoded integers are whole numbers of the format's own
// steps (-32768 .. 32767 for 16 bits); floats keep their value.
class CSampleCoding {
public:
    CSampleCoding() = default;
    // bits is 8, 16, 24 or 32.
    static CSampleCoding Integer(int bits, bool bigEndian);
    static CSampleCoding UnsignedByte();
    // bits is 32 or 64.
    static CSampleCoding Float(int bits, bool bigEndian);

    int Bits() const { return mBits; }
    int Bytes() const { return mBits / 8; }
    bool IsFloat() const { return mFloat; }
    // The smallest and largest integer sample.
    double Lowest() const;
    double Highest() const;

    // count samples from bytes into samples.
    void Decode(const uint8_t* bytes, double* samples, std::size_t count) const noexcept;
    // count samples into bytes. Integer samples must already be whole numbers within
    // Lowest() .. Highest().
    void Encode(const double* samples, uint8_t* bytes, std::size_t count) const noexcept;

private:
    CSampleCoding(int bits, bool isFloat, bool bigEndian, bool offset)
        : mBits(bits), mFloat(isFloat), mBigEndian(bigEndian), mOffset(offset) {}

    int mBits = 16;
    bool mFloat = false;
    bool mBigEndian = false;
    bool mOffset = false;
};
