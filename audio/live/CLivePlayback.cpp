#include "audio/live/CLivePlayback.h"

#include "run/FSectionFilter.h"

#include <algorithm>
#include <cmath>

int CLivePlayback::PlayClip(CSoundClip clip, bool loop, const Zpk& design, int output,
                            double latency) {
    Stop();
    const std::vector<CSoundDevice::Info> devices = mDevice.Devices();
    if (output < 0 || static_cast<std::size_t>(output) >= devices.size()) {
        mProblem = "no playback device";
        return -1;
    }
    const CSoundDevice::Info& device = devices[static_cast<std::size_t>(output)];
    const int outputs = std::min(device.outputs, FSectionFilter::kMaxChannels);
    const int sourceChannels = static_cast<int>(clip.Channels());
    const int channels = std::max(std::min(2, outputs), std::min(sourceChannels, outputs));
    mMixedFrom = sourceChannels > channels ? clip.Channels() : 0;
    const uint32_t own = clip.Rate();
    mPlayer = std::make_unique<CStreamPlayer>(channels, own);
    mPlayer->UseClip(std::move(clip), loop);
    const int started = Start(design, output, channels, 0, own, latency);
    const auto rate = static_cast<uint32_t>(std::lround(device.defaultRate));
    if (started != CSoundDevice::kRateRefused || rate == 0 || rate == own) {
        return Started(started);
    }
    CSoundClip resampled = mPlayer->TakeClip();
    if (!resampled.Resample(rate)) {
        mProblem = resampled.Problem();
        mPlayer.reset();
        return -1;
    }
    mResampledFrom = own;
    mPlayer = std::make_unique<CStreamPlayer>(channels, rate);
    mPlayer->UseClip(std::move(resampled), loop);
    return Started(Start(design, output, channels, 0, rate, latency));
}

int CLivePlayback::PlayCapture(const Zpk& design, int output, double latency) {
    Stop();
    const std::vector<CSoundDevice::Info> devices = mDevice.Devices();
    const int input = mDevice.DefaultInput();
    if (output < 0 || static_cast<std::size_t>(output) >= devices.size() || input < 0) {
        mProblem = input < 0 ? "no capture device" : "no playback device";
        return -1;
    }
    const CSoundDevice::Info& device = devices[static_cast<std::size_t>(output)];
    const int channels = std::clamp(device.outputs, 1, 2);
    const int captureChannels = std::clamp(devices[static_cast<std::size_t>(input)].inputs, 1, 2);
    mPlayer = std::make_unique<CStreamPlayer>(channels, device.defaultRate);
    mPlayer->UseCapture(captureChannels);
    return Started(Start(design, output, channels, captureChannels, device.defaultRate, latency));
}

int CLivePlayback::Start(const Zpk& design, int output, int channels, int captureChannels,
                         double rate, double latency) {
    Publish(design);
    const int started =
        mDevice.Start({output, channels, captureChannels, rate, latency}, mPlayer.get());
    if (started != 0) {
        mProblem = mResampledFrom != 0
                       ? "neither the file's " + std::to_string(mResampledFrom) +
                             " Hz nor the device's " + std::to_string(std::lround(rate)) +
                             " Hz can be played: " + mDevice.Problem()
                       : mDevice.Problem();
        return started;
    }
    mDeviceName = mDevice.Devices()[static_cast<std::size_t>(output)].name;
    mProblem.clear();
    return 0;
}

int CLivePlayback::Started(int result) {
    if (result != 0) {
        mPlayer.reset();
    }
    return result;
}

void CLivePlayback::Stop() {
    mDevice.Stop();
    mPlayer.reset();
    mResampledFrom = 0;
    mMixedFrom = 0;
}

void CLivePlayback::Publish(const Zpk& design) {
    if (!mPlayer) {
        return;
    }
    std::unique_ptr<CStreamDesign> built =
        CStreamDesign::Build(design, mPlayer->Engine().Channels());
    mDesignStatus = built->Status();
    mPlayer->Engine().Publish(std::move(built));
}

bool CLivePlayback::Check() {
    if (!mPlayer) {
        return true;
    }
    mPlayer->Engine().CollectRetired();
    if (mDevice.CheckStream()) {
        return true;
    }
    mProblem = mDevice.Problem();
    mPlayer.reset();
    return false;
}

std::string CLivePlayback::Status() const {
    if (!mPlayer) {
        return {};
    }
    std::string text = mDeviceName + ": " + std::to_string(std::lround(mDevice.Rate())) +
                       " Hz, latency " + std::to_string(std::lround(mDevice.Latency() * 1000.0)) +
                       " ms";
    if (mResampledFrom != 0) {
        text += ", the file's " + std::to_string(mResampledFrom) + " Hz resampled";
    }
    if (mMixedFrom != 0) {
        text += ", " + std::to_string(mMixedFrom) + " channels mixed down to " +
                std::to_string(mPlayer->Engine().Channels());
    }
    if (mDevice.ThreadPriority() == CSoundDevice::Priority::Normal) {
        text += ", not at real-time priority";
    }
    return text;
}
