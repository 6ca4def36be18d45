#include "run/FSectionFilter.h"

#include <algorithm>
#include <cmath>

namespace {

// How far a section's feedback coefficients may move for its memory to be kept.
constexpr double kAdoptableMove = 0.25;

} // namespace

bool FSectionFilter::Initialize(const SosCascade& cascade, int channels) {
    mReal.clear();
    mState.clear();
    mComplex.clear();
    mChannels = 0;
    if (channels < 1 || channels > kMaxChannels || cascade.sections.empty()) {
        return false;
    }
    mChannels = channels;
    if (!cascade.IsReal()) {
        FSectionCascade runner;
        runner.Load(cascade);
        mComplex.assign(static_cast<std::size_t>(channels), runner);
        return true;
    }
    for (const FBiquad& s : cascade.GainFolded()) {
        mReal.push_back({s.b[0].r, s.b[1].r, s.b[2].r, s.a[1].r, s.a[2].r});
    }
    mState.assign(2 * mReal.size() * static_cast<std::size_t>(channels), 0.0);
    return true;
}

bool FSectionFilter::AdoptState(const FSectionFilter& previous) noexcept {
    if (mReal.empty() || mReal.size() != previous.mReal.size() || mChannels != previous.mChannels) {
        return false;
    }
    for (std::size_t s = 0; s < mReal.size(); ++s) {
        if (std::abs(mReal[s].a1 - previous.mReal[s].a1) > kAdoptableMove ||
            std::abs(mReal[s].a2 - previous.mReal[s].a2) > kAdoptableMove) {
            return false;
        }
    }
    std::copy(previous.mState.begin(), previous.mState.end(), mState.begin());
    return true;
}

void FSectionFilter::Process(double* frames, std::size_t count) noexcept {
    if (!mComplex.empty()) {
        ProcessComplex(frames, count);
        return;
    }
    const auto channels = static_cast<std::size_t>(mChannels);
    if (channels == 2) {
        ProcessReal<2>(frames, count, 2, mState.data());
        return;
    }
    for (std::size_t ch = 0; ch < channels; ++ch) {
        ProcessReal<1>(frames + ch, count, channels, mState.data() + 2 * ch * mReal.size());
    }
}

// Transposed direct form II over Width adjacent channels of frames stride samples
// apart. Channels filtered side by side in one pass fill each other's waits on the
// recursion.
template <int Width>
void FSectionFilter::ProcessReal(double* frames, std::size_t count, std::size_t stride,
                                 double* state) noexcept {
    const std::size_t sections = mReal.size();
    const RealSection* coeff = mReal.data();
    for (std::size_t f = 0; f < count; ++f) {
        double* frame = frames + f * stride;
        double x[Width];
        for (int ch = 0; ch < Width; ++ch) {
            x[ch] = frame[ch];
        }
        for (std::size_t s = 0; s < sections; ++s) {
            const RealSection c = coeff[s];
            // The channels' state values lie side by side, so the compiler can run
            // them as one vector.
            double* s1 = state + 2 * s * Width;
            double* s2 = s1 + Width;
            for (int ch = 0; ch < Width; ++ch) {
                const double y = c.b0 * x[ch] + s1[ch];
                s1[ch] = c.b1 * x[ch] - c.a1 * y + s2[ch];
                s2[ch] = c.b2 * x[ch] - c.a2 * y;
                x[ch] = y;
            }
        }
        for (int ch = 0; ch < Width; ++ch) {
            frame[ch] = x[ch];
        }
    }
}

void FSectionFilter::ProcessComplex(double* frames, std::size_t count) noexcept {
    const auto channels = static_cast<std::size_t>(mChannels);
    for (std::size_t f = 0; f < count; ++f) {
        for (std::size_t ch = 0; ch < channels; ++ch) {
            double& x = frames[f * channels + ch];
            x = mComplex[ch].Next(FComplex(x, 0.0)).r;
        }
    }
}
