#pragma once

#include "audio/CAudioRenderer.h"
#include "audio/CStreamEngine.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// The sound of a live stream: a sound file held in memory, played once or looped, or
// the capture device's input, sent through a CStreamEngine. Mono sources are heard on
// every output channel. Set the source up before the device starts.
class CStreamPlayer : public CAudioRenderer {
public:
    // channels: the playback device's channels, 1 or 2.
    CStreamPlayer(int channels, double sampleRate);

    // Reads a WAV or AIFF file whole. 0; -1 when it cannot be opened or read, -2 when it
    // is no WAV or AIFF file; Problem() then says why.
    int LoadFile(const std::string& path);
    // The file's rate, known after LoadFile.
    uint32_t FileRate() const { return mFileRate; }
    void SetLoop(bool loop) { mLoop = loop; }
    // Plays the capture device's input, of inputChannels (1 or 2) channels, instead of a
    // file.
    void UseCapture(int inputChannels);

    CStreamEngine& Engine() { return mEngine; }
    // True once a file played without looping has ended.
    bool Finished() const noexcept { return mFinished.load(std::memory_order_acquire); }
    const std::string& Problem() const { return mProblem; }

    void Render(const float* input, float* output, std::size_t frames) noexcept override;

private:
    void CopyFile(float* output, std::size_t frames) noexcept;
    void CopyCapture(const float* input, float* output, std::size_t frames) noexcept;

    CStreamEngine mEngine;
    const std::size_t mChannels;
    // The file's samples, interleaved with the file's channel count.
    std::vector<float> mFile;
    std::size_t mFileChannels = 0;
    std::size_t mFileFrames = 0;
    uint32_t mFileRate = 0;
    bool mLoop = false;
    int mCaptureChannels = 0;
    // The audio thread's place in the file.
    std::size_t mPosition = 0;
    std::atomic<bool> mFinished{false};
    std::string mProblem;
};
