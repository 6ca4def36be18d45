#include "response/CInputResponse.h"

#include "response/PointsText.h"

#include <cstdio>
#include <optional>

bool CInputResponse::Initialize(const Zpk& zpk, int count) {
    const std::optional<SosCascade> cascade = SosCascade::FromZpk(zpk);
    if (count < 0 || !cascade) {
        return false;
    }
    mResponse.Load(*cascade);
    mCache.assign(static_cast<size_t>(count), FComplex());
    mScale = 0.0;
    for (int n = 0; n < count; ++n) {
        const FComplex y = mResponse.Next(FComplex(InputAt(n), 0.0));
        mCache[static_cast<size_t>(n)] = y;
        const double mag = y.Mag();
        if (mScale < mag) {
            mScale = mag;
        }
    }
    return true;
}

FComplex CInputResponse::NormResponse(int index) const {
    if (index < 0 || index >= CpxCount()) {
        return FComplex();
    }
    const FComplex sample = mCache[static_cast<size_t>(index)];
    return mScale > 0.0 ? sample / mScale : sample;
}

bool CInputResponse::PrintToFile(const char* path) const {
    if (path != nullptr) {
        return WritePointsFile(path, mCache);
    }
    const std::string text = PointsText(mCache);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}
