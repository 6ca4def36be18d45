#include "audio/CFrameFilter.h"

#include <algorithm>
#include <cmath>

namespace {

// Coefficients expanded from a pole or zero and its conjugate entered as two single
// nodes keep rounding residue in their imaginary parts at the 1e-16 level; treating
// them as real changes an output only in its last bit.
constexpr double kImagTolerance = 1e-12;

} // namespace

bool CFrameFilter::Initialize(const FNodeList* list, int channels) {
    mChannels = channels == 2 ? 2 : 1;
    mCount = 0;
    if (!mComplex[0].Initialize(list) || !mComplex[1].Initialize(list)) {
        return false;
    }
    const FInputResponse& de = mComplex[0];
    const int n = de.CpxCount();
    double largest = 0.0;
    double largestImag = 0.0;
    for (int k = 0; k < n; ++k) {
        for (const FComplex c : {de.GetXDelayCoeff(k), de.GetYDelayCoeff(k)}) {
            largest = std::max(largest, c.Mag());
            largestImag = std::max(largestImag, std::fabs(c.i));
        }
    }
    if (!(largestImag <= kImagTolerance * largest)) {
        return true;
    }
    mXCoeff.resize(static_cast<size_t>(n));
    mYCoeff.resize(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        mXCoeff[static_cast<size_t>(k)] = de.GetXDelayCoeff(k).r;
        mYCoeff[static_cast<size_t>(k)] = de.GetYDelayCoeff(k).r;
    }
    mXVal.assign(static_cast<size_t>(n * mChannels), 0.0);
    mYVal.assign(static_cast<size_t>(n * mChannels), 0.0);
    mCount = n;
    return true;
}

void CFrameFilter::Filter(double* samples, size_t count) {
    if (mCount > 0) {
        if (mChannels == 2) {
            FilterReal<2>(samples, count);
        } else {
            FilterReal<1>(samples, count);
        }
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        for (int ch = 0; ch < mChannels; ++ch) {
            double& x = samples[i * static_cast<size_t>(mChannels) + static_cast<size_t>(ch)];
            x = mComplex[static_cast<size_t>(ch)].GetNextSample(x).r;
        }
    }
}

template <int Channels> void CFrameFilter::FilterReal(double* samples, size_t count) noexcept {
    if (count == 0) {
        return;
    }
    const auto n = static_cast<size_t>(mCount);
    const size_t history = n * Channels;
    mXVal.resize(history + count * Channels);
    mYVal.resize(history + count * Channels);
    std::copy(samples, samples + count * Channels, mXVal.begin() + static_cast<long>(history));
    const double* xc = mXCoeff.data();
    const double* yc = mYCoeff.data();
    for (size_t i = n; i < n + count; ++i) {
        const double* in = mXVal.data() + i * Channels;
        double* out = mYVal.data() + i * Channels;
        // Term for term the sums of FInputResponse: for each delay k the input term, then
        // the output term, where delay 0 pairs Y[0] (which is 0) with the output n
        // samples ago. Keeping even that term makes the sums round alike and carries an
        // infinite output into NaN as the complex evaluator does.
        double acc[Channels];
        for (int ch = 0; ch < Channels; ++ch) {
            acc[ch] = 0.0;
            acc[ch] += xc[0] * in[ch];
            acc[ch] += yc[0] * out[ch - static_cast<long>(history)];
        }
        for (size_t k = 1; k < n; ++k) {
            for (int ch = 0; ch < Channels; ++ch) {
                acc[ch] += xc[k] * in[ch - static_cast<long>(k * Channels)];
                acc[ch] += yc[k] * out[ch - static_cast<long>(k * Channels)];
            }
        }
        for (int ch = 0; ch < Channels; ++ch) {
            out[ch] = acc[ch];
        }
    }
    std::copy(mYVal.begin() + static_cast<long>(history),
              mYVal.begin() + static_cast<long>(history + count * Channels), samples);
    // The newest n frames are the history of the next block.
    std::copy(mXVal.end() - static_cast<long>(history), mXVal.end(), mXVal.begin());
    std::copy(mYVal.end() - static_cast<long>(history), mYVal.end(), mYVal.begin());
}
