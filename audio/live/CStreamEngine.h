#pragma once

#include "audio/live/CStreamDesign.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

// Plays sound through the design as it is edited. Render runs on the audio thread (or
// offline, through the very same code): it never allocates, locks, waits or touches a
// file. The user-interface thread hands over each new design with Publish; the audio
// thread picks it up at the start of a block, keeps the filter's memory when the layout
// is unchanged and cross-fades over about 10 ms otherwise, then hands the old design
// back for CollectRetired to free on the user-interface thread. The output passes a
// limiter that keeps it below full scale.
class CStreamEngine {
public:
    // Frames per internal block; longer renders are split.
    static constexpr std::size_t kMaxBlockFrames = 512;
    // The limiter's ceiling: -1 dBFS.
    static constexpr double kCeiling = 0.8912509381337456;

    // channels 1..FSectionFilter::kMaxChannels, sampleRate in Hz (> 0). Plays silence
    // until the first design is published.
    CStreamEngine(int channels, double sampleRate);
    ~CStreamEngine();
    CStreamEngine(const CStreamEngine&) = delete;
    CStreamEngine& operator=(const CStreamEngine&) = delete;

    // User-interface thread. Hands the design (built for Channels()) to the audio
    // thread; a design published before and not yet picked up is freed here instead.
    void Publish(std::unique_ptr<CStreamDesign> design);
    // User-interface thread: frees the designs the audio thread has finished with.
    void CollectRetired();
    // Any thread: Bypass plays the input unfiltered (also faded, so it never clicks).
    void SetBypass(bool bypass) noexcept { mBypass.store(bypass, std::memory_order_relaxed); }
    // Any thread: the largest output magnitude since the last call.
    float TakePeak() noexcept { return mPeak.exchange(0.0f, std::memory_order_relaxed); }

    // Audio thread. Replaces count interleaved frames of input by the output.
    void Render(float* frames, std::size_t count) noexcept;

    int Channels() const noexcept { return mChannels; }
    // Frames over which one design fades into the next.
    std::size_t FadeFrames() const noexcept { return mFadeFrames; }

private:
    void RenderBlock(float* frames, std::size_t count) noexcept;
    void PickUpDesign() noexcept;
    // Hands design back for CollectRetired; false when the hand-back queue is full, and
    // the design then stays where it is.
    bool Retire(std::unique_ptr<CStreamDesign>& design) noexcept;
    void Mix(std::size_t count) noexcept;
    void Limit(float* frames, std::size_t count) noexcept;

    static constexpr std::size_t kRetiredSlots = 8;

    const int mChannels;
    const std::size_t mFadeFrames;
    const double mReleaseStep;

    // The design published and not yet picked up, owned by the engine. A plain pointer,
    // because only that can be exchanged without a lock.
    std::atomic<CStreamDesign*> mPending{nullptr};
    // A single-producer (audio) single-consumer (user interface) ring of finished
    // designs. The consumer empties a slot before it hands the slot back, so the audio
    // thread only ever moves a design into an empty slot and never frees one.
    std::array<std::unique_ptr<CStreamDesign>, kRetiredSlots> mRetired;
    std::atomic<std::size_t> mRetiredWrite{0};
    std::atomic<std::size_t> mRetiredRead{0};
    std::atomic<bool> mBypass{false};
    std::atomic<float> mPeak{0.0f};

    // Owned by the audio thread from here on.
    std::unique_ptr<CStreamDesign> mCurrent;
    // The design fading out, and a design waiting for room in the hand-back queue.
    std::unique_ptr<CStreamDesign> mFading;
    std::unique_ptr<CStreamDesign> mUnretired;
    std::size_t mFadePos = 0;
    double mBypassMix = 0.0;
    double mLimiterGain = 1.0;
    std::vector<double> mDry;
    std::vector<double> mWet;
    std::vector<double> mOld;
};
