#pragma once

#include "analysis/FInputResponse.h"
#include "core/FNodeList.h"

#include <cstddef>
#include <vector>

// Runs a causal design over interleaved frames of double samples, one independent
// filter per channel, each output multiplied by a fixed gain. Samples are in any unit
// the caller likes; the filter is linear. Blocks follow on from each other as one
// stream. Nothing is allocated by Process.
class FSectionFilter {
public:
    static constexpr int kMaxChannels = 64;

    // Loads the design for 1..kMaxChannels channels and zeroes the memory. False for a
    // non-causal or empty design or a channel count out of range; the filter is then
    // left empty and must not be run.
    bool Initialize(const FNodeList& list, int channels, double gain = 1.0);
    // Replaces count interleaved frames by the filter's outputs times the gain.
    void Process(double* frames, std::size_t count) noexcept;
    int Channels() const { return mChannels; }

private:
    std::vector<FInputResponse> mChannelFilters;
    double mGain = 1.0;
    int mChannels = 0;
};
