#include "audio/live/CAudioDevice.h"

#include <portaudio.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The device library's back ends print their probing of absent servers and sound
// cards to standard error; a missing device is reported through our own results, so
// that noise is kept from the user while the library looks around.
class QuietStandardError {
public:
    QuietStandardError() : mSaved(dup(STDERR_FILENO)) {
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (mSaved >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~QuietStandardError() {
        if (mSaved >= 0) {
            dup2(mSaved, STDERR_FILENO);
            close(mSaved);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int mSaved;
};

extern "C" int RenderCallback(const void* input, void* output, unsigned long frames,
                              const PaStreamCallbackTimeInfo* /*time*/,
                              PaStreamCallbackFlags /*flags*/, void* user) {
    static_cast<CAudioRenderer*>(user)->Render(static_cast<const float*>(input),
                                               static_cast<float*>(output), frames);
    return paContinue;
}

} // namespace

CAudioDevice::CAudioDevice() {
    const QuietStandardError quiet;
    const PaError error = Pa_Initialize();
    mInitialized = error == paNoError;
    if (!mInitialized) {
        mProblem = Pa_GetErrorText(error);
    }
}

CAudioDevice::~CAudioDevice() {
    Stop();
    if (mInitialized) {
        Pa_Terminate();
    }
}

int CAudioDevice::Fail(int code, std::string reason) {
    mProblem = std::move(reason);
    return code;
}

std::vector<CAudioDevice::Info> CAudioDevice::Devices() const {
    std::vector<Info> devices;
    if (!mInitialized) {
        return devices;
    }
    const PaDeviceIndex defaultOutput = Pa_GetDefaultOutputDevice();
    const PaDeviceIndex defaultInput = Pa_GetDefaultInputDevice();
    for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info == nullptr) {
            continue;
        }
        devices.push_back({info->name, info->maxInputChannels, info->maxOutputChannels,
                           info->defaultSampleRate, i == defaultOutput, i == defaultInput});
    }
    return devices;
}

int CAudioDevice::FindOutput(const std::string& name) const {
    const std::vector<Info> devices = Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const Info& d = devices[i];
        if (d.outputs > 0 && (name.empty() ? d.defaultOutput : d.name == name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CAudioDevice::DefaultInput() const {
    const std::vector<Info> devices = Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].defaultInput && devices[i].inputs > 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CAudioDevice::Start(int output, int outputChannels, int captureChannels, double rate,
                        CAudioRenderer* renderer) {
    if (mStream != nullptr) {
        return Fail(-3, "a stream is already playing");
    }
    if (!mInitialized) {
        return Fail(-1, mProblem.empty() ? "no sound system" : mProblem);
    }
    // Places in Devices() are the library's device indices: it lists every device.
    if (output < 0 || output >= Pa_GetDeviceCount()) {
        return Fail(-1, "no playback device");
    }
    PaStreamParameters out{};
    out.device = output;
    out.channelCount = outputChannels;
    out.sampleFormat = paFloat32;
    out.suggestedLatency = Pa_GetDeviceInfo(output)->defaultLowOutputLatency;
    PaStreamParameters in{};
    if (captureChannels > 0) {
        in.device = Pa_GetDefaultInputDevice();
        if (in.device == paNoDevice) {
            return Fail(-1, "no capture device");
        }
        in.channelCount = captureChannels;
        in.sampleFormat = paFloat32;
        in.suggestedLatency = Pa_GetDeviceInfo(in.device)->defaultLowInputLatency;
    }
    PaStream* stream = nullptr;
    PaError error = paNoError;
    {
        const QuietStandardError quiet;
        error = Pa_OpenStream(&stream, captureChannels > 0 ? &in : nullptr, &out, rate,
                              paFramesPerBufferUnspecified, paClipOff, RenderCallback, renderer);
    }
    if (error != paNoError) {
        return Fail(-1, Pa_GetErrorText(error));
    }
    error = Pa_StartStream(stream);
    if (error != paNoError) {
        Pa_CloseStream(stream);
        return Fail(-1, Pa_GetErrorText(error));
    }
    const PaStreamInfo* info = Pa_GetStreamInfo(stream);
    mRate = info != nullptr ? info->sampleRate : rate;
    mLatency = info != nullptr ? info->outputLatency : 0.0;
    mStream = stream;
    mProblem.clear();
    return 0;
}

void CAudioDevice::Stop() {
    if (mStream == nullptr) {
        return;
    }
    Pa_StopStream(static_cast<PaStream*>(mStream));
    Pa_CloseStream(static_cast<PaStream*>(mStream));
    mStream = nullptr;
}
