#pragma once

#include "audio/live/CSoundDevice.h"

struct PaStreamCallbackTimeInfo;

// The machine's sound devices through PortAudio, the only class that knows it. The
// stream's audio thread is PortAudio's, asked to run at real-time priority where the
// system allows it.
class CAudioDevice : public CSoundDevice {
public:
    CAudioDevice();
    // Stops the stream first.
    ~CAudioDevice() override;

    std::vector<Info> Devices() const override;

protected:
    int OpenStream(const StreamRequest& request, double* rate, double* latency) override;
    void CloseStream() override;
    std::string StreamFailure() const override;

private:
    // PortAudio's callback, with this device as its user data.
    static int OnBlock(const void* input, void* output, unsigned long frames,
                       const PaStreamCallbackTimeInfo* time, unsigned long flags, void* device);

    bool mInitialized = false;
    std::string mInitProblem;
    void* mStream = nullptr;
    // Set on the audio thread once it has been given its priority.
    bool mPrioritySet = false;
};
