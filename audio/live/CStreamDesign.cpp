#include "audio/live/CStreamDesign.h"

#include "filter/FRootSet.h"
#include "filter/PeakGain.h"

#include <algorithm>
#include <cmath>

namespace {

bool Stable(const FRootSet& roots) {
    return std::all_of(roots.Poles().begin(), roots.Poles().end(),
                       [](FComplex p) { return p.Mag() < 1.0; });
}

} // namespace

std::unique_ptr<CStreamDesign> CStreamDesign::Build(const FNodeList& list, int channels) {
    auto design = std::make_unique<CStreamDesign>();
    design->mChannels = channels;
    if (!list.Causal()) {
        design->mStatus = "Can't filter audio using a non-causal IIR filter";
        return design;
    }
    const FRootSet roots(list);
    if (!Stable(roots)) {
        design->mStatus = "Unstable";
        return design;
    }
    if (list.RootCount(kNodePole) == 0) {
        design->mKind = Kind::PassThrough;
        return design;
    }
    const double peak = TruePeakGain(roots);
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
    if (mKind != previous.mKind) {
        return false;
    }
    // Silence and the plain input have no memory to keep.
    return mKind != Kind::Filter || mFilter.AdoptState(previous.mFilter);
}
