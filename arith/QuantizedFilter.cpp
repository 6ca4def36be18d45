#include "arith/QuantizedFilter.h"

#include <algorithm>
#include <cmath>

namespace {

// The exact sum of the five products as a wider integer, so that a wrap of the 64-bit
// accumulator shows.
__extension__ using Wide = __int128;

// A scaled sample as the nearest word of W bits, half away from zero, saturated; NaN
// as 0.
template <int W> std::int32_t RoundedWord(double scaled) noexcept {
    constexpr double kHighest = static_cast<double>((std::int64_t{1} << (W - 1)) - 1);
    const double word = std::round(scaled);
    return std::isnan(word) ? 0
                            : static_cast<std::int32_t>(std::clamp(word, -kHighest - 1, kHighest));
}

} // namespace

bool QuantizedFilter::Initialize(const QuantizedCascade& cascade, int channels, int sampleBits) {
    *this = QuantizedFilter();
    if (cascade.arithmetic == Arithmetic::F64 || cascade.problem != QuantizeProblem::None ||
        channels < 1 || channels > kMaxChannels ||
        !(sampleBits == 0 || (sampleBits >= 8 && sampleBits <= 32))) {
        return false;
    }
    mArithmetic = cascade.arithmetic;
    mChannels = channels;
    const auto sections = cascade.stored.sections.size() * static_cast<std::size_t>(channels);
    if (mArithmetic == Arithmetic::F32) {
        for (const FBiquad& s : cascade.stored.sections) {
            mFloat.push_back({static_cast<float>(s.b[0].r), static_cast<float>(s.b[1].r),
                              static_cast<float>(s.b[2].r), static_cast<float>(s.a[1].r),
                              static_cast<float>(s.a[2].r)});
        }
        mFloatState.assign(2 * sections, 0.0f);
        return true;
    }
    const int w = WordLength(mArithmetic);
    for (const std::array<std::int32_t, 5>& words : cascade.integers) {
        mWords.push_back({words[0], words[1], words[2], words[3], words[4]});
    }
    mWordState.assign(4 * sections, 0);
    mScratch.assign(kChunk * static_cast<std::size_t>(channels), 0);
    mShift = w - 1 - cascade.postShift;
    const int fullScaleBits = sampleBits == 0 ? 1 : sampleBits;
    mInScale = std::ldexp(1.0, w - fullScaleBits);
    mOutScale = std::ldexp(1.0, fullScaleBits - w);
    mExactInput = sampleBits != 0 && sampleBits <= w;
    mWholeSteps = sampleBits >= w;
    return true;
}

void QuantizedFilter::Process(double* frames, std::size_t count) noexcept {
    switch (mArithmetic) {
    case Arithmetic::F32:
        ProcessFloat(frames, count);
        break;
    case Arithmetic::Q15:
        ProcessFixed<16>(frames, count);
        break;
    case Arithmetic::Q31:
        ProcessFixed<32>(frames, count);
        break;
    case Arithmetic::F64:
        break;
    }
}

template <int W> void QuantizedFilter::ProcessFixed(double* frames, std::size_t count) noexcept {
    const auto channels = static_cast<std::size_t>(mChannels);
    const std::size_t sections = mWords.size();
    std::int32_t* words = mScratch.data();
    const double inScale = mInScale;
    const double outScale = mOutScale;
    for (std::size_t done = 0; done < count; done += kChunk) {
        const std::size_t n = std::min(kChunk, count - done);
        double* samples = frames + done * channels;
        // Simple loops over 32-bit words, which the compiler runs as vectors.
        if (mExactInput) {
            for (std::size_t i = 0; i < n * channels; ++i) {
                words[i] = static_cast<std::int32_t>(samples[i] * inScale);
            }
        } else {
            for (std::size_t i = 0; i < n * channels; ++i) {
                words[i] = RoundedWord<W>(samples[i] * inScale);
            }
        }
        for (std::size_t s = 0; s < sections; ++s) {
            if (channels == 2) {
                RunSection<W, 2>(mWords[s], words, n, 2, mWordState.data() + 8 * s);
                continue;
            }
            for (std::size_t ch = 0; ch < channels; ++ch) {
                RunSection<W, 1>(mWords[s], words + ch, n, channels,
                                 mWordState.data() + 4 * (ch * sections + s));
            }
        }
        for (std::size_t i = 0; i < n * channels; ++i) {
            samples[i] = static_cast<double>(words[i]) * outScale;
        }
    }
}

template <int W, int Width>
void QuantizedFilter::RunSection(const std::array<std::int64_t, 5>& c, std::int32_t* words,
                                 std::size_t count, std::size_t stride,
                                 std::int64_t* state) noexcept {
    constexpr std::int64_t kHighest = (std::int64_t{1} << (W - 1)) - 1;
    constexpr std::int64_t kLowest = -kHighest - 1;
    std::int64_t x1[Width], x2[Width], y1[Width], y2[Width];
    for (int ch = 0; ch < Width; ++ch) {
        x1[ch] = state[ch];
        x2[ch] = state[Width + ch];
        y1[ch] = state[2 * Width + ch];
        y2[ch] = state[3 * Width + ch];
    }
    // Copies the writes to words cannot alias.
    const std::int64_t b0 = c[0], b1 = c[1], b2 = c[2], a1 = c[3], a2 = c[4];
    const int shift = mShift;
    std::int64_t overflows = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::int32_t* frame = words + i * stride;
        // Channels side by side: their independent recursions overlap in the processor.
        // Unrolled, their memories stay in registers.
#pragma GCC unroll 2
        for (int ch = 0; ch < Width; ++ch) {
            const std::int64_t x = frame[ch];
            std::int64_t acc;
            if constexpr (W == 16) {
                // Five products of 16-bit words cannot leave 35 bits. The product of the
                // newest output comes last, so that the recursion waits on one addition.
                acc = b0 * x + b1 * x1[ch] + b2 * x2[ch] + a2 * y2[ch] + a1 * y1[ch];
            } else {
                const Wide exact = Wide{b0} * x + Wide{b1} * x1[ch] + Wide{b2} * x2[ch] +
                                   Wide{a1} * y1[ch] + Wide{a2} * y2[ch];
                acc = static_cast<std::int64_t>(static_cast<std::uint64_t>(exact));
                overflows += acc != exact ? 1 : 0;
            }
            // An arithmetic shift: the floor of the quotient.
            std::int64_t y = acc >> shift;
            if (y > kHighest || y < kLowest) {
                y = y > kHighest ? kHighest : kLowest;
                ++overflows;
            }
            x2[ch] = x1[ch];
            x1[ch] = x;
            y2[ch] = y1[ch];
            y1[ch] = y;
            frame[ch] = static_cast<std::int32_t>(y);
        }
    }
    for (int ch = 0; ch < Width; ++ch) {
        state[ch] = x1[ch];
        state[Width + ch] = x2[ch];
        state[2 * Width + ch] = y1[ch];
        state[3 * Width + ch] = y2[ch];
    }
    mOverflows += overflows;
}

void QuantizedFilter::ProcessFloat(double* frames, std::size_t count) noexcept {
    const auto channels = static_cast<std::size_t>(mChannels);
    const std::size_t sections = mFloat.size();
    for (std::size_t f = 0; f < count; ++f) {
        double* frame = frames + f * channels;
        for (std::size_t ch = 0; ch < channels; ++ch) {
            float x = static_cast<float>(frame[ch]);
            float* state = mFloatState.data() + 2 * sections * ch;
            for (std::size_t s = 0; s < sections; ++s, state += 2) {
                const FloatSection& c = mFloat[s];
                const float y = c.b0 * x + state[0];
                state[0] = c.b1 * x - c.a1 * y + state[1];
                state[1] = c.b2 * x - c.a2 * y;
                x = y;
            }
            frame[ch] = x;
        }
    }
}
