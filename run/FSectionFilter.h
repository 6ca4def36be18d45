#pragma once

#include "filter/SosCascade.h"
#include "run/FSectionCascade.h"

#include <cstddef>
#include <vector>

// Runs a cascade of second-order sections over interleaved frames of double samples,
// one independent filter per channel, the cascade's gain applied in its first section.
// Samples are in any unit the caller likes; the filter is linear. Blocks follow on from
// each other as one stream. Nothing is allocated by Process. Real sections run in real
// arithmetic; complex ones (a complex root without its conjugate) in complex arithmetic
// of which the real part is kept.
class FSectionFilter {
public:
    static constexpr int kMaxChannels = 64;

    // Loads the cascade for 1..kMaxChannels channels and zeroes the memory. False for a
    // channel count out of range; the filter is then left empty and must not be run.
    bool Initialize(const SosCascade& cascade, int channels);
    // Replaces count interleaved frames by the filter's outputs.
    void Process(double* frames, std::size_t count) noexcept;
    int Channels() const { return mChannels; }
    // True when the real arithmetic is in use.
    bool IsReal() const { return !mReal.empty(); }
    // Takes over the memory of previous when both run in real arithmetic on as many
    // channels and sections, each section's feedback close to its predecessor's (a small
    // move of the design, not sections that changed places): the sound then goes on
    // without a jump. False, with nothing taken, otherwise. Allocates nothing.
    bool AdoptState(const FSectionFilter& previous) noexcept;

private:
    struct RealSection {
        double b0, b1, b2, a1, a2;
    };
    template <int Width>
    void ProcessReal(double* frames, std::size_t count, std::size_t stride, double* state) noexcept;
    void ProcessComplex(double* frames, std::size_t count) noexcept;

    // Real path: the sections, the gain folded into the first, and two state values
    // per section and channel: for a stereo stream section by section, the two
    // channels side by side; otherwise channel by channel.
    std::vector<RealSection> mReal;
    std::vector<double> mState;
    // Complex path: one cascade per channel.
    std::vector<FSectionCascade> mComplex;
    int mChannels = 0;
};
