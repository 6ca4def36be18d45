#pragma once

#include "arith/QuantizedCascade.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Runs a quantized cascade (Quantize) over interleaved frames of double samples, one
// independent filter per channel, bit for bit in its arithmetic:
//  - f32: every section in float32, transposed direct form II, each operation rounded to
//    float32 in this order, no fused multiply-add:
//      y = b0*x + s1;  s1 = b1*x - a1*y + s2;  s2 = b2*x - a2*y;
//  - q15, q31 (W = 16, 32): every section in direct form I on W-bit integers,
//      acc = b0*x[n] + b1*x[n-1] + b2*x[n-2] + a1'*y[n-1] + a2'*y[n-2],
//    the products exact, summed in 64 bits (for q31 modulo 2^64, as two's complement);
//    y[n] = floor(acc / 2^(W-1-s)) saturated to W bits, the next section's input.
// The samples are in steps of a sound format: integers of sampleBits bits, or floats
// whose full scale is 1 (sampleBits 0). f32 takes them as they are, rounded to float32.
// Fixed point takes them at its full scale: integers shifted up to W bits, or longer
// integers and floats scaled to 2^(W-1) and rounded to the nearest word (half away from
// zero) with saturation, NaN as 0; the outputs are scaled back, exactly, so that shorter
// integer formats receive fractions of their steps to requantize. Process allocates
// nothing.
class QuantizedFilter {
public:
    static constexpr int kMaxChannels = 64;

    // Loads the cascade and zeroes the memory and the overflow count. False, leaving
    // the filter empty, for an f64 cascade, one with a problem, 0 or more than
    // kMaxChannels channels, or sampleBits other than 0 or 8 to 32.
    bool Initialize(const QuantizedCascade& cascade, int channels, int sampleBits);
    // Replaces count interleaved frames by the filter's outputs; blocks follow on from
    // each other as one stream.
    void Process(double* frames, std::size_t count) noexcept;
    // The section outputs that saturated and the q31 sums that wrapped since Initialize.
    std::int64_t Overflows() const { return mOverflows; }
    // True when every output is a whole step of the integer format, within its range:
    // its samples are at least a word long.
    bool OutputsWholeSteps() const { return mWholeSteps; }

private:
    struct FloatSection {
        float b0, b1, b2, a1, a2;
    };
    // Frames converted to words and run through one section after the other at a time,
    // so that each section's memory stays in registers.
    static constexpr std::size_t kChunk = 256;

    template <int W> void ProcessFixed(double* frames, std::size_t count) noexcept;
    // One section over count frames of words stride apart, Width channels side by side
    // whose memories lie in state as x[n-1], x[n-2], y[n-1], y[n-2], each Width wide.
    template <int W, int Width>
    void RunSection(const std::array<std::int64_t, 5>& c, std::int32_t* words, std::size_t count,
                    std::size_t stride, std::int64_t* state) noexcept;
    void ProcessFloat(double* frames, std::size_t count) noexcept;

    Arithmetic mArithmetic = Arithmetic::F64;
    std::vector<FloatSection> mFloat;
    std::vector<float> mFloatState;
    std::vector<std::array<std::int64_t, 5>> mWords;
    // The memory of every section of every channel: for a stereo stream section by
    // section, the two channels side by side; otherwise channel by channel.
    std::vector<std::int64_t> mWordState;
    // kChunk frames of words.
    std::vector<std::int32_t> mScratch;
    int mShift = 0;
    // Samples times mInScale are words; words times mOutScale are samples.
    double mInScale = 1.0;
    double mOutScale = 1.0;
    // Integer samples no longer than a word become words exactly.
    bool mExactInput = false;
    bool mWholeSteps = false;
    int mChannels = 0;
    std::int64_t mOverflows = 0;
};
