#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A sound file's samples held whole in memory as floats, interleaved, full scale 1, for
// playing in a loop.
class CSoundClip {
public:
    // Reads a sound file of any format the filter reads. 0; -1 when it cannot be opened
    // or read or is too long to hold, -2 when no reader takes it; Problem() then says
    // why.
    int Load(const std::string& path);

    // Converts the samples to rate Hz. False with Problem() saying why.
    bool Resample(uint32_t rate);

    const std::vector<float>& Samples() const { return mSamples; }
    std::size_t Channels() const { return mChannels; }
    std::size_t Frames() const { return mChannels == 0 ? 0 : mSamples.size() / mChannels; }
    uint32_t Rate() const { return mRate; }
    const std::string& Problem() const { return mProblem; }

private:
    std::vector<float> mSamples;
    std::size_t mChannels = 0;
    uint32_t mRate = 0;
    std::string mProblem;
};
