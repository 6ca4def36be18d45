#include "audio/CChannelFilter.h"

#include <algorithm>
#include <cmath>

namespace {

// Coefficients expanded from a pole or zero and its conjugate entered as two single
// nodes keep rounding residue in their imaginary parts at the 1e-16 level; treating
// them as real changes an output only in its last bit.
constexpr double kImagTolerance = 1e-12;

} // namespace

bool CChannelFilter::Initialize(const FNodeList* list) {
    mCount = 0;
    mCircIndex = 0;
    if (!mComplex.Initialize(list)) {
        return false;
    }
    const int n = mComplex.CpxCount();
    double largest = 0.0;
    double largestImag = 0.0;
    for (int k = 0; k < n; ++k) {
        for (const FComplex c : {mComplex.GetXDelayCoeff(k), mComplex.GetYDelayCoeff(k)}) {
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
        mXCoeff[static_cast<size_t>(k)] = mComplex.GetXDelayCoeff(k).r;
        mYCoeff[static_cast<size_t>(k)] = mComplex.GetYDelayCoeff(k).r;
    }
    mXVal.assign(static_cast<size_t>(n), 0.0);
    mYVal.assign(static_cast<size_t>(n), 0.0);
    mCount = n;
    return true;
}

double CChannelFilter::GetNextSample(double x) noexcept {
    const int n = mCount;
    if (n == 0) {
        return mComplex.GetNextSample(x).r;
    }
    const int c = mCircIndex;
    const double* xc = mXCoeff.data();
    const double* yc = mYCoeff.data();
    double* in = mXVal.data();
    double* out = mYVal.data();
    in[c] = x;
    // Term for term the order of FInputResponse, including the Y[0] term of the
    // oldest output, so that the sums round alike.
    double acc = 0.0;
    int k = 0;
    for (int j = c; j < n; ++j, ++k) {
        acc += xc[k] * in[j];
        acc += yc[k] * out[j];
    }
    for (int j = 0; j < c; ++j, ++k) {
        acc += xc[k] * in[j];
        acc += yc[k] * out[j];
    }
    out[c] = acc;
    mCircIndex = c < 1 ? n - 1 : c - 1;
    return acc;
}
