#include "audio/live/CStreamEngine.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFadeSeconds = 0.010;
// The limiter lets go over about 100 ms, slowly enough not to pump audibly.
constexpr double kReleaseSeconds = 0.100;

void RunDesign(CStreamDesign* design, double* frames, std::size_t count, int channels) noexcept {
    if (design != nullptr) {
        design->Run(frames, count);
    } else {
        std::fill(frames, frames + count * static_cast<std::size_t>(channels), 0.0);
    }
}

} // namespace

CStreamEngine::CStreamEngine(int channels, double sampleRate)
    : mChannels(std::clamp(channels, 1, FSectionFilter::kMaxChannels)),
      mFadeFrames(std::max<std::size_t>(1, static_cast<std::size_t>(kFadeSeconds * sampleRate))),
      mReleaseStep(1.0 - std::exp(-1.0 / std::max(1.0, kReleaseSeconds * sampleRate))),
      mFadePos(mFadeFrames), mDry(kMaxBlockFrames * static_cast<std::size_t>(mChannels)),
      mWet(mDry.size()), mOld(mDry.size()) {}

CStreamEngine::~CStreamEngine() {
    // A design published and never picked up.
    const std::unique_ptr<CStreamDesign> pending(mPending.load());
}

void CStreamEngine::Publish(std::unique_ptr<CStreamDesign> design) {
    // The release order makes the whole built design visible to the audio thread's
    // acquiring exchange; a design it never picked up comes back here.
    std::unique_ptr<CStreamDesign> unused(
        mPending.exchange(design.release(), std::memory_order_acq_rel));
    CollectRetired();
}

void CStreamEngine::CollectRetired() {
    std::size_t read = mRetiredRead.load(std::memory_order_relaxed);
    const std::size_t write = mRetiredWrite.load(std::memory_order_acquire);
    for (; read != write; ++read) {
        mRetired[read % kRetiredSlots].reset();
    }
    mRetiredRead.store(read, std::memory_order_release);
}

bool CStreamEngine::Retire(std::unique_ptr<CStreamDesign>& design) noexcept {
    if (design == nullptr) {
        return true;
    }
    const std::size_t write = mRetiredWrite.load(std::memory_order_relaxed);
    if (write - mRetiredRead.load(std::memory_order_acquire) == kRetiredSlots) {
        return false;
    }
    mRetired[write % kRetiredSlots] = std::move(design);
    mRetiredWrite.store(write + 1, std::memory_order_release);
    return true;
}

void CStreamEngine::PickUpDesign() noexcept {
    if (!Retire(mUnretired)) {
        return;
    }
    // One change at a time: a design published during a fade waits for its end.
    if (mFadePos < mFadeFrames) {
        return;
    }
    std::unique_ptr<CStreamDesign> next(mPending.exchange(nullptr, std::memory_order_acq_rel));
    if (next == nullptr) {
        return;
    }
    // mUnretired is empty here, and mFading too, as no fade runs: neither move frees a
    // design on this thread.
    if (mCurrent != nullptr && next->TakeStateFrom(*mCurrent)) {
        mUnretired = std::move(mCurrent);
    } else {
        mFading = std::move(mCurrent);
        mFadePos = 0;
    }
    mCurrent = std::move(next);
    Retire(mUnretired);
}

void CStreamEngine::Render(float* frames, std::size_t count) noexcept {
    const auto channels = static_cast<std::size_t>(mChannels);
    while (count > 0) {
        const std::size_t block = std::min(count, kMaxBlockFrames);
        RenderBlock(frames, block);
        frames += block * channels;
        count -= block;
    }
}

void CStreamEngine::RenderBlock(float* frames, std::size_t count) noexcept {
    PickUpDesign();
    const std::size_t samples = count * static_cast<std::size_t>(mChannels);
    std::copy(frames, frames + samples, mDry.begin());
    std::copy(mDry.begin(), mDry.begin() + static_cast<std::ptrdiff_t>(samples), mWet.begin());
    RunDesign(mCurrent.get(), mWet.data(), count, mChannels);
    if (mFadePos < mFadeFrames) {
        std::copy(mDry.begin(), mDry.begin() + static_cast<std::ptrdiff_t>(samples), mOld.begin());
        RunDesign(mFading.get(), mOld.data(), count, mChannels);
    }
    Mix(count);
    if (mFading != nullptr && mFadePos >= mFadeFrames) {
        mUnretired = std::move(mFading);
    }
    Limit(frames, count);
}

void CStreamEngine::Mix(std::size_t count) noexcept {
    const auto channels = static_cast<std::size_t>(mChannels);
    const double fadeStep = 1.0 / static_cast<double>(mFadeFrames);
    const double bypassTarget = mBypass.load(std::memory_order_relaxed) ? 1.0 : 0.0;
    for (std::size_t f = 0; f < count; ++f) {
        double* wet = &mWet[f * channels];
        const double* dry = &mDry[f * channels];
        if (mFadePos < mFadeFrames) {
            ++mFadePos;
            const double t = static_cast<double>(mFadePos) * fadeStep;
            const double* old = &mOld[f * channels];
            for (std::size_t c = 0; c < channels; ++c) {
                wet[c] = old[c] + (wet[c] - old[c]) * t;
            }
        }
        if (mBypassMix != bypassTarget) {
            mBypassMix = bypassTarget > mBypassMix ? std::min(bypassTarget, mBypassMix + fadeStep)
                                                   : std::max(bypassTarget, mBypassMix - fadeStep);
        }
        if (mBypassMix != 0.0) {
            for (std::size_t c = 0; c < channels; ++c) {
                wet[c] += (dry[c] - wet[c]) * mBypassMix;
            }
        }
    }
}

void CStreamEngine::Limit(float* frames, std::size_t count) noexcept {
    const auto channels = static_cast<std::size_t>(mChannels);
    double blockPeak = 0.0;
    for (std::size_t f = 0; f < count; ++f) {
        double* wet = &mWet[f * channels];
        double peak = 0.0;
        for (std::size_t c = 0; c < channels; ++c) {
            // A blown-up filter must not reach the speakers as NaN or infinity.
            if (!std::isfinite(wet[c])) {
                wet[c] = 0.0;
            }
            peak = std::max(peak, std::abs(wet[c]));
        }
        if (peak * mLimiterGain > kCeiling) {
            mLimiterGain = kCeiling / peak;
        }
        for (std::size_t c = 0; c < channels; ++c) {
            frames[f * channels + c] = static_cast<float>(wet[c] * mLimiterGain);
        }
        blockPeak = std::max(blockPeak, peak * mLimiterGain);
        if (mLimiterGain < 1.0) {
            mLimiterGain += (1.0 - mLimiterGain) * mReleaseStep;
            if (mLimiterGain > 1.0 - 1e-9) {
                mLimiterGain = 1.0;
            }
        }
    }
    auto shown = mPeak.load(std::memory_order_relaxed);
    const auto peak = static_cast<float>(blockPeak);
    while (peak > shown && !mPeak.compare_exchange_weak(shown, peak, std::memory_order_relaxed)) {
    }
}
