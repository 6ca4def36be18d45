#pragma once

#include <cstddef>
#include <cstdint>

// Turns filtered samples, in steps of an integer sample format, back into whole steps
// of that format: truncated toward zero, rounded to the nearest step, or rounded after
// adding triangular dither of one step whose noise repeats for a repeated seed. Values
// beyond the format's range saturate and are counted.
class CRequantizer {
public:
    enum class Mode { Truncate, Round, Tpdf };

    explicit CRequantizer(Mode mode = Mode::Truncate, uint64_t seed = 0);

    // Requantizes count samples in place to lowest .. highest; returns how many lay
    // outside that range (NaN becomes 0 and is counted).
    std::size_t Apply(double* samples, std::size_t count, double lowest, double highest) noexcept;

private:
    // One uniform value in [0, 1).
    double Uniform() noexcept;

    Mode mMode;
    uint64_t mState;
};
