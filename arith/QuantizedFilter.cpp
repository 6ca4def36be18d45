#include "arith/QuantizedFilter.h"

#include <algorithm>
#include <cmath>

namespace {

// The exact sum of the five products as a wider integer, so that a wrap of the 64-bit
// accumulator shows.
__extension__ using Wide = __int128;

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
    mShift = w - 1 - cascade.postShift;
    const int fullScaleBits = sampleBits == 0 ? 1 : sampleBits;
    mInScale = std::ldexp(1.0, w - fullScaleBits);
    mOutScale = std::ldexp(1.0, fullScaleBits - w);
    mExactInput = sampleBits != 0 && sampleBits <= w;
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

template <int W> std::int64_t QuantizedFilter::ToWord(double sample) const noexcept {
    if (mExactInput) {
        return static_cast<std::int64_t>(sample * mInScale);
    }
    constexpr double kHighest = static_cast<double>((std::int64_t{1} << (W - 1)) - 1);
    const double word = std::round(sample * mInScale);
    return std::isnan(word) ? 0
                            : static_cast<std::int64_t>(std::clamp(word, -kHighest - 1, kHighest));
}

template <int W> void QuantizedFilter::ProcessFixed(double* frames, std::size_t count) noexcept {
    constexpr std::int64_t kHighest = (std::int64_t{1} << (W - 1)) - 1;
    constexpr std::int64_t kLowest = -kHighest - 1;
    const auto channels = static_cast<std::size_t>(mChannels);
    const std::size_t sections = mWords.size();
    const std::array<std::int64_t, 5>* words = mWords.data();
    std::int64_t overflows = 0;
    for (std::size_t f = 0; f < count; ++f) {
        double* frame = frames + f * channels;
        // The channels one after the other within a frame: their independent
        // recursions overlap in the processor.
        for (std::size_t ch = 0; ch < channels; ++ch) {
            std::int64_t x = ToWord<W>(frame[ch]);
            std::int64_t* state = mWordState.data() + 4 * sections * ch;
            for (std::size_t s = 0; s < sections; ++s, state += 4) {
                const std::array<std::int64_t, 5>& c = words[s];
                std::int64_t acc;
                if constexpr (W == 16) {
                    // Five products of 16-bit words cannot leave 35 bits.
                    acc = c[0] * x + c[1] * state[0] + c[2] * state[1] + c[3] * state[2] +
                          c[4] * state[3];
                } else {
                    const Wide exact = Wide{c[0]} * x + Wide{c[1]} * state[0] +
                                       Wide{c[2]} * state[1] + Wide{c[3]} * state[2] +
                                       Wide{c[4]} * state[3];
                    acc = static_cast<std::int64_t>(static_cast<std::uint64_t>(exact));
                    overflows += acc != exact ? 1 : 0;
                }
                // An arithmetic shift: the floor of the quotient.
                std::int64_t y = acc >> mShift;
                if (y > kHighest || y < kLowest) {
                    y = y > kHighest ? kHighest : kLowest;
                    ++overflows;
                }
                state[1] = state[0];
                state[0] = x;
                state[3] = state[2];
                state[2] = y;
                x = y;
            }
            frame[ch] = static_cast<double>(x) * mOutScale;
        }
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
