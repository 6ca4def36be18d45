#pragma once

#include "audio/live/CAudioRenderer.h"

#include <string>
#include <vector>

// The sound devices of the machine, and one running stream on them that asks a
// CAudioRenderer for its sound on the device library's real-time thread. The only
// class that knows the device library. Failures are results: negative codes, with the
// reason in Problem().
class CAudioDevice {
public:
    struct Info {
        std::string name;
        int inputs = 0;
        int outputs = 0;
        double defaultRate = 0.0;
        bool defaultOutput = false;
        bool defaultInput = false;
    };

    CAudioDevice();
    // Stops the stream first.
    ~CAudioDevice();
    CAudioDevice(const CAudioDevice&) = delete;
    CAudioDevice& operator=(const CAudioDevice&) = delete;

    // The devices with at least one output or input channel; empty without any.
    std::vector<Info> Devices() const;
    // The output device named name ("" for the default): its place in Devices(), or -1.
    int FindOutput(const std::string& name) const;
    // The default capture device's place in Devices(), or -1 without one.
    int DefaultInput() const;

    // Starts a stream of outputChannels channels at rate Hz on the output device with
    // the given place, with capture of captureChannels (0 for none) from the default
    // input. 0; -1 when the device library or the device fails; -3 when a stream runs.
    // renderer must outlive the stream.
    int Start(int output, int outputChannels, int captureChannels, double rate,
              CAudioRenderer* renderer);
    // Stops and closes the stream; nothing when none runs.
    void Stop();
    bool Running() const { return mStream != nullptr; }
    // The running stream's rate in Hz and output latency in seconds.
    double Rate() const { return mRate; }
    double Latency() const { return mLatency; }

    const std::string& Problem() const { return mProblem; }

private:
    int Fail(int code, std::string reason);

    bool mInitialized = false;
    void* mStream = nullptr;
    double mRate = 0.0;
    double mLatency = 0.0;
    std::string mProblem;
};
