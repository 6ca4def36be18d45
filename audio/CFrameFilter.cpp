#include "audio/CFrameFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Coefficients expanded from a pole or zero and its conjugate entered as two single
// nodes keep rounding residue in their imaginary parts at the 1e-16 level; treating
// them as real changes an output only in its last bit.
constexpr double kImagTolerance = 1e-12;

// Saturates instead of wrapping: a loud or unstable filter then clips at full scale
// rather than flipping sign. NaN carries no value and becomes silence.
int32_t ToSample(double q) noexcept {
    // One test settles nearly every sample.
    if (std::fabs(q) < 2147483647.0) {
        return static_cast<int32_t>(q);
    }
    if (std::isnan(q)) {
        return 0;
    }
    if (q >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (q <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(q);
}

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

void CFrameFilter::Filter(tSample* frames, size_t count, double divisor) {
    if (mCount > 0) {
        if (mChannels == 2) {
            FilterReal<2>(frames, count, divisor);
        } else {
            FilterReal<1>(frames, count, divisor);
        }
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        frames[i].left = ToSample(mComplex[0].GetNextSample(frames[i].left).r / divisor);
        if (mChannels == 2) {
            frames[i].right = ToSample(mComplex[1].GetNextSample(frames[i].right).r / divisor);
        }
    }
}

// The frames are converted in, filtered and converted out in separate passes, so that
// the filter's loop holds nothing but the sums.
template <int Channels>
void CFrameFilter::FilterReal(tSample* frames, size_t count, double divisor) noexcept {
    if (count == 0) {
        return;
    }
    const auto n = static_cast<size_t>(mCount);
    const size_t history = n * Channels;
    mXVal.resize(history + count * Channels);
    mYVal.resize(history + count * Channels);
    mScaled.resize(count * Channels);
    double* x = mXVal.data() + history;
    for (size_t i = 0; i < count; ++i) {
        x[i * Channels] = frames[i].left;
        if constexpr (Channels == 2) {
            x[i * 2 + 1] = frames[i].right;
        }
    }
    const double* xc = mXCoeff.data();
    const double* yc = mYCoeff.data();
    // The previous output stays in a register: each output waits on the one before,
    // and fetching it back from memory would lengthen that wait.
    double previous[Channels];
    for (int ch = 0; ch < Channels; ++ch) {
        previous[ch] = mYVal[history - Channels + static_cast<size_t>(ch)];
    }
    const double x1 = n > 1 ? xc[1] : 0.0;
    const double y1 = n > 1 ? yc[1] : 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double* in = x + i * Channels;
        double* out = mYVal.data() + history + i * Channels;
        // Term for term the sums of FInputResponse: for each delay k the input term, then
        // the output term, where delay 0 pairs Y[0] (which is 0) with the output n
        // samples ago. Keeping even that term makes the sums round alike. A design of
        // one coefficient (no poles) has no delay 1: its terms then add 0 * 0.
        double acc[Channels];
        for (int ch = 0; ch < Channels; ++ch) {
            acc[ch] = 0.0;
            acc[ch] += xc[0] * in[ch];
            acc[ch] += yc[0] * out[ch - static_cast<long>(history)];
            acc[ch] += x1 * in[ch - Channels];
            acc[ch] += y1 * previous[ch];
        }
        for (size_t k = 2; k < n; ++k) {
            for (int ch = 0; ch < Channels; ++ch) {
                acc[ch] += xc[k] * in[ch - static_cast<long>(k * Channels)];
                acc[ch] += yc[k] * out[ch - static_cast<long>(k * Channels)];
            }
        }
        // The division costs next to nothing here, where it overlaps the wait for the
        // next sums.
        for (int ch = 0; ch < Channels; ++ch) {
            out[ch] = acc[ch];
            previous[ch] = acc[ch];
            mScaled[i * Channels + static_cast<size_t>(ch)] = acc[ch] / divisor;
        }
    }
    for (size_t i = 0; i < count; ++i) {
        frames[i].left = ToSample(mScaled[i * Channels]);
        if constexpr (Channels == 2) {
            frames[i].right = ToSample(mScaled[i * 2 + 1]);
        }
    }
    // The newest n frames are the history of the next block.
    std::copy(mXVal.end() - static_cast<long>(history), mXVal.end(), mXVal.begin());
    std::copy(mYVal.end() - static_cast<long>(history), mYVal.end(), mYVal.begin());
}
