#include "audio/live/CStreamDesign.h"

#include "run/RunnableDesign.h"

#include <algorithm>

std::unique_ptr<CStreamDesign> CStreamDesign::Build(const Zpk& zpk, int channels) {
    auto design = std::make_unique<CStreamDesign>();
    design->mChannels = channels;
    const RunnableDesign runnable = PrepareToRun(zpk);
    switch (runnable.problem) {
    case RunProblem::None:
        break;
    case RunProblem::NonCausal:
        design->mStatus = "Can't filter audio using a non-causal IIR filter";
        return design;
    case RunProblem::Unstable:
        design->mStatus = "Unstable";
        return design;
    case RunProblem::PeakNotFinite:
        design->mStatus = "The design's peak gain is 0 or not finite";
        return design;
    }
    if (zpk.poles.empty()) {
        design->mKind = Kind::PassThrough;
        return design;
    }
    if (!design->mFilter.Initialize(runnable.cascade, channels)) {
        design->mStatus = "The design cannot be run";
        return design;
    }
    design->mGain = 1.0 / runnable.peak;
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
