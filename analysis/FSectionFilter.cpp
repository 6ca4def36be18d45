#include "analysis/FSectionFilter.h"

bool FSectionFilter::Initialize(const FNodeList& list, int channels, double gain) {
    mChannelFilters.clear();
    mChannels = 0;
    if (channels < 1 || channels > kMaxChannels) {
        return false;
    }
    std::vector<FInputResponse> filters(static_cast<std::size_t>(channels));
    for (FInputResponse& f : filters) {
        if (!f.Initialize(&list)) {
            return false;
        }
    }
    mChannelFilters = std::move(filters);
    mChannels = channels;
    mGain = gain;
    return true;
}

void FSectionFilter::Process(double* frames, std::size_t count) noexcept {
    if (mChannels == 0) {
        return;
    }
    const auto channels = static_cast<std::size_t>(mChannels);
    for (std::size_t f = 0; f < count; ++f) {
        for (std::size_t c = 0; c < channels; ++c) {
            double& x = frames[f * channels + c];
            x = mChannelFilters[c].GetNextSample(x).r * mGain;
        }
    }
}
