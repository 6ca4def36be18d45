#include "response/FInputResponse.h"

void FInputResponse::MakeEmpty() {
    mXCoeff.clear();
    mYCoeff.clear();
    mXVal.clear();
    mYVal.clear();
    mCircIndex = 0;
    mCpxCount = 0;
}

bool FInputResponse::Initialize(const Zpk& zpk) {
    if (!zpk.Causal()) {
        return false;
    }
    mDE.Load(zpk);
    MakeEmpty();
    if (!mDE.GetDEArrays(&mXCoeff, &mYCoeff) || mXCoeff.empty() ||
        mXCoeff.size() != mYCoeff.size()) {
        MakeEmpty();
        return false;
    }
    mXVal.assign(mXCoeff.size(), FComplex());
    mYVal.assign(mYCoeff.size(), FComplex());
    mCpxCount = static_cast<int>(mXCoeff.size());
    return true;
}

FComplex FInputResponse::GetNextSample(FComplex x) noexcept {
    const int n = mCpxCount;
    if (n == 0) {
        return FComplex();
    }
    const int c = mCircIndex;
    const FComplex* xc = mXCoeff.data();
    const FComplex* yc = mYCoeff.data();
    const FComplex* in = mXVal.data();
    const FComplex* out = mYVal.data();
    mXVal[static_cast<size_t>(c)] = x;

    // The sample delayed by k sits in slot (c + k) mod n; the loop is split at the
    // wrap so that no modulo is needed per term.
    FComplex acc;
    int k = 0;
    for (int j = c; j < n; ++j, ++k) {
        acc += xc[k] * in[j];
        acc += yc[k] * out[j];
    }
    for (int j = 0; j < c; ++j, ++k) {
        acc += xc[k] * in[j];
        acc += yc[k] * out[j];
    }
    mYVal[static_cast<size_t>(c)] = acc;
    mCircIndex = c < 1 ? n - 1 : c - 1;
    return acc;
}

FComplex FInputResponse::GetXDelayCoeff(int k) const {
    return k >= 0 && k < mCpxCount ? mXCoeff[static_cast<size_t>(k)] : FComplex();
}

FComplex FInputResponse::GetYDelayCoeff(int k) const {
    return k >= 0 && k < mCpxCount ? mYCoeff[static_cast<size_t>(k)] : FComplex();
}
