#pragma once

#include <cstddef>

// What an audio device asks for its sound: called on the device's real-time thread,
// so an implementation must not allocate, lock, wait or touch a file.
class CAudioRenderer {
public:
    virtual ~CAudioRenderer() = default;
    // input holds frames interleaved frames of the capture device (nullptr without
    // one); output receives frames interleaved frames for the playback device.
    virtual void Render(const float* input, float* output, std::size_t frames) noexcept = 0;
};
