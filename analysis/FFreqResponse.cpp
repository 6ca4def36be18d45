#include "analysis/FFreqResponse.h"

#include "analysis/PointsText.h"

bool FFreqResponse::Initialize(const FNodeList* list, int resolution) {
    if (list == nullptr || resolution < 1) {
        return false;
    }
    mDE.LoadNodeList(list);
    mCacheArray.assign(static_cast<size_t>(resolution) + 1, FComplex());
    mScale = -1.0;
    for (int i = 0; i <= resolution; ++i) {
        const double omega = (i * kPi) / resolution;
        FComplex z;
        z.SetByRadian(1.0, omega);
        const FComplex h = mDE.SolveForValue(z);
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
    return mCacheArray[static_cast<size_t>(index)] / mScale;
}

FComplex FFreqResponse::ExactResponse(double omega) const {
    FComplex z;
    z.SetByRadian(1.0, omega);
    return mDE.SolveForValue(z);
}

bool FFreqResponse::PrintToFile(const char* path) const {
    return WritePointsFile(path, mCacheArray);
}
