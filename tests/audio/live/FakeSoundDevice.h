#pragma once

#include "audio/live/CSoundDevice.h"

#include <algorithm>
#include <vector>

// A sound device for tests: it lists the devices given, opens streams only at the rates
// given, and plays only when the test pulls blocks from it; a test breaks the stream by
// setting failure, and moves its clock by hand.
class FakeSoundDevice : public CSoundDevice {
public:
    std::vector<Info> devices = {{"Fake", 0, 2, 48000.0, true, false}};
    std::vector<double> rates = {48000.0};
    std::string failure;
    std::chrono::steady_clock::time_point now{};
    StreamRequest opened;
    int opens = 0;
    Priority priority = Priority::Normal;

    ~FakeSoundDevice() override { Stop(); }

    std::vector<Info> Devices() const override { return devices; }

    // One block of frames as the device's thread would ask for it.
    std::vector<float> Pull(std::size_t frames, bool dropout = false) {
        std::vector<float> out(frames * static_cast<std::size_t>(opened.channels));
        SetPriority(priority);
        Callback(nullptr, out.data(), frames, dropout);
        return out;
    }

protected:
    int OpenStream(const StreamRequest& request, double* rate, double* latency) override {
        if (std::find(rates.begin(), rates.end(), request.rate) == rates.end()) {
            return Fail(kRateRefused, "Invalid sample rate");
        }
        opened = request;
        ++opens;
        *rate = request.rate;
        *latency = request.latency;
        return 0;
    }
    void CloseStream() override {}
    std::string StreamFailure() const override { return failure; }
    std::chrono::steady_clock::time_point Now() const override { return now; }
};
