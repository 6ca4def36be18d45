#pragma once

#include "audio/live/CAudioRenderer.h"
#include "audio/live/CSoundClip.h"
#include "audio/live/CStreamEngine.h"

#include <atomic>
#include <cstddef>

// The sound of a live stream: a clip played once or looped, or the capture device's
// input, sent through a CStreamEngine. Mono sources are heard on every output channel.
// Set the source up before the device starts.
class CStreamPlayer : public CAudioRenderer {
public:
    // channels: the playback device's channels; sampleRate in Hz.
    CStreamPlayer(int channels, double sampleRate);

    void UseClip(CSoundClip clip, bool loop);
    // Plays the capture device's input, of inputChannels (1 or 2) channels, instead.
    void UseCapture(int inputChannels);

    CStreamEngine& Engine() { return mEngine; }
    // True once a clip played without looping has ended.
    bool Finished() const noexcept { return mFinished.load(std::memory_order_acquire); }

    void Render(const float* input, float* output, std::size_t frames) noexcept override;

private:
    void CopyClip(float* output, std::size_t frames) noexcept;
    void CopyCapture(const float* input, float* output, std::size_t frames) noexcept;

    CStreamEngine mEngine;
    const std::size_t mChannels;
    CSoundClip mClip;
    bool mLoop = false;
    std::size_t mCaptureChannels = 0;
    // The audio thread's place in the clip.
    std::size_t mPosition = 0;
    std::atomic<bool> mFinished{false};
};
