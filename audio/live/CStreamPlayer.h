#pragma once

#include "audio/live/CAudioRenderer.h"
#include "audio/live/CSoundClip.h"
#include "audio/live/CStreamEngine.h"

#include <atomic>
#include <cstddef>
#include <vector>

// The sound of a live stream: a clip played once or looped, or the capture device's
// input, sent through a CStreamEngine. A mono source is heard on every output channel;
// a clip of more channels than the stream has is mixed down, its channel k to output
// channel k modulo the stream's channels (in stereo the odd channels left, the even
// right), each output scaled by one over the channels it sums, so that the level stays.
// Set the source up before the device starts.
class CStreamPlayer : public CAudioRenderer {
public:
    // channels: the playback device's channels; sampleRate in Hz.
    CStreamPlayer(int channels, double sampleRate);

    void UseClip(CSoundClip clip, bool loop);
    // Hands the clip back; for a player whose stream never started.
    CSoundClip TakeClip() { return std::move(mClip); }
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
    // Per output channel, the scale of a mixed-down clip's channels.
    std::vector<float> mMixGain;
    // The audio thread's place in the clip.
    std::size_t mPosition = 0;
    std::atomic<bool> mFinished{false};
};
