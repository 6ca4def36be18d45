#include "response/FFreqResponse.h"

#include "response/PointsText.h"

#include <cmath>

bool FFreqResponse::Initialize(const Zpk& zpk, int resolution) {
    if (resolution < 1) {
        return false;
    }
    mRoots = zpk;
    mCacheArray.assign(static_cast<size_t>(resolution) + 1, FComplex());
    mScale = -1.0;
    for (int i = 0; i <= resolution; ++i) {
        const double omega = (i * kPi) / resolution;
        const FComplex h = mRoots.OnCircle(omega);
        mCacheArray[static_cast<size_t>(i)] = h;
        const double mag = h.Mag();
        if (mScale < mag) {
            mScale = mag;
        }
    }
    return true;
}

FComplex FFreqResponse::NormResponse(int index) const {
    if (index < 0 || index >= CpxCount() || mScale == 0.0) {
        return FComplex();
    }
    const FComplex sample = mCacheArray[static_cast<size_t>(index)];
    const double mag = sample.Mag();
    if (!std::isfinite(mag)) {
        // Infinite on a pole: the peak itself. A NaN (from overflow) carries nothing.
        return std::isinf(mag) ? FComplex(1.0, 0.0) : FComplex();
    }
    return sample / mScale;
}

FComplex FFreqResponse::ExactResponse(double omega) const {
    return mRoots.OnCircle(omega);
}

bool FFreqResponse::PrintToFile(const char* path) const {
    return WritePointsFile(path, mCacheArray);
}
