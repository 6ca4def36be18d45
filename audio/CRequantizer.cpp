#include "audio/CRequantizer.h"

#include <cmath>

CRequantizer::CRequantizer(Mode mode, uint64_t seed)
    // The generator's state must never be 0.
    : mMode(mode), mState(seed ^ 0x9E3779B97F4A7C15u) {
    if (mState == 0) {
        mState = 1;
    }
}

double CRequantizer::Uniform() noexcept {
    // xorshift64*: fast, and its sequence is fixed by the seed on every platform.
    mState ^= mState >> 12;
    mState ^= mState << 25;
    mState ^= mState >> 27;
    return static_cast<double>((mState * 0x2545F4914F6CDD1Du) >> 11) * 0x1.0p-53;
}

std::size_t CRequantizer::Apply(double* samples, std::size_t count, double lowest,
                                double highest) noexcept {
    std::size_t clipped = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double x = samples[i];
        switch (mMode) {
        case Mode::Truncate:
            x = std::trunc(x);
            break;
        case Mode::Round:
            x = std::nearbyint(x);
            break;
        case Mode::Tpdf:
            // The difference of two uniform values is triangular over -1 .. 1 step.
            x = std::nearbyint(x + Uniform() - Uniform());
            break;
        }
        if (!(x >= lowest && x <= highest)) {
            ++clipped;
            x = x > highest ? highest : x < lowest ? lowest : 0.0;
        }
        samples[i] = x;
    }
    return clipped;
}
