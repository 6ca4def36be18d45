#include "audio/CStreamDesign.h"

#include "analysis/FFreqResponse.h"

#include <algorithm>
#include <cmath>

namespace {

// The peak gain is taken on a grid fine enough for the narrow resonances a user drags
// towards the unit circle.
constexpr int kPeakResolution = 4096;

bool Stable(const FNodeList& list) {
    for (short i = 0; i < list.GetListCount(kNodePole); ++i) {
        if (!(list.GetNodeByIndex(kNodePole, i).Value().Mag() < 1.0)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::unique_ptr<CStreamDesign> CStreamDesign::Build(const FNodeList& list, int channels) {
    auto design = std::make_unique<CStreamDesign>();
    design->mChannels = channels;
    if (!list.Causal()) {
        design->mStatus = "Can't filter audio using a non-causal IIR filter";
        return design;
    }
    if (!Stable(list)) {
        design->mStatus = "Unstable";
        return design;
    }
    if (list.RootCount(kNodePole) == 0) {
        design->mKind = Kind::PassThrough;
        return design;
    }
    FFreqResponse response;
    response.Initialize(&list, kPeakResolution);
    const double peak = response.Scale();
    if (!(peak > 0.0 && std::isfinite(peak))) {
        design->mStatus = "The design's peak gain is 0 or not finite";
        return design;
    }
    if (!design->mFilter.Initialize(list, channels, 1.0 / peak)) {
        design->mStatus = "The design cannot be run";
        return design;
    }
    design->mGain = 1.0 / peak;
    design->mKind = Kind::Filter;
    return design;
}

void CStreamDesign::Run(double* frames, std::size_t count) noexcept {
    switch (mKind) {
    case Kind::Filter:
        mFilter.Process(frames, count);
        break;
    case Kind::PassThrough:
        break;
    case Kind::Silence:
        std::fill(frames, frames + count * static_cast<std::size_t>(mChannels), 0.0);
        break;
    }
}

bool CStreamDesign::TakeStateFrom(const CStreamDesign& previous) noexcept {
    // Silence and the plain input have no memory to keep.
    return mKind != Kind::Filter && mKind == previous.mKind;
}
