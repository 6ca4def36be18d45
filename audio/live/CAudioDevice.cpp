#include "audio/live/CAudioDevice.h"

#include "audio/QuietStandardError.h"

#include <pa_linux_alsa.h>
#include <portaudio.h>

#include <algorithm>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Puts the calling thread under first-in first-out real-time scheduling unless it runs
// so already, at a middling priority within what the user may use.
CSoundDevice::Priority RaisePriority() noexcept {
    int policy = 0;
    sched_param param{};
    if (pthread_getschedparam(pthread_self(), &policy, &param) == 0 &&
        (policy == SCHED_FIFO || policy == SCHED_RR)) {
        return CSoundDevice::Priority::RealTime;
    }
    rlimit limit{};
    int priority = std::min(sched_get_priority_max(SCHED_FIFO), 50);
    if (getuid() != 0 && getrlimit(RLIMIT_RTPRIO, &limit) == 0) {
        priority = std::min(priority, static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 99)));
    }
    param.sched_priority = priority;
    return priority > 0 && pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0
               ? CSoundDevice::Priority::RealTime
               : CSoundDevice::Priority::Normal;
}

} // namespace

CAudioDevice::CAudioDevice() {
    const QuietStandardError quiet;
    const PaError error = Pa_Initialize();
    mInitialized = error == paNoError;
    if (!mInitialized) {
        mInitProblem = Pa_GetErrorText(error);
    }
}

CAudioDevice::~CAudioDevice() {
    Stop();
    if (mInitialized) {
        Pa_Terminate();
    }
}

std::vector<CSoundDevice::Info> CAudioDevice::Devices() const {
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

int CAudioDevice::OnBlock(const void* input, void* output, unsigned long frames,
                          const PaStreamCallbackTimeInfo* /*time*/, unsigned long flags,
                          void* user) {
    auto* device = static_cast<CAudioDevice*>(user);
    if (!device->mPrioritySet) {
        device->mPrioritySet = true;
        device->SetPriority(RaisePriority());
    }
    device->Callback(static_cast<const float*>(input), static_cast<float*>(output), frames,
                     (flags & (paOutputUnderflow | paInputOverflow)) != 0);
    return paContinue;
}

int CAudioDevice::OpenStream(const StreamRequest& request, double* rate, double* latency) {
    if (!mInitialized) {
        return Fail(-1, mInitProblem.empty() ? "no sound system" : mInitProblem);
    }
    // Places in Devices() are the library's device indices: it lists every device.
    if (request.output < 0 || request.output >= Pa_GetDeviceCount()) {
        return Fail(-1, "no playback device");
    }
    PaStreamParameters out{};
    out.device = request.output;
    out.channelCount = request.channels;
    out.sampleFormat = paFloat32;
    out.suggestedLatency = request.latency;
    PaStreamParameters in{};
    if (request.captureChannels > 0) {
        in.device = Pa_GetDefaultInputDevice();
        if (in.device == paNoDevice) {
            return Fail(-1, "no capture device");
        }
        in.channelCount = request.captureChannels;
        in.sampleFormat = paFloat32;
        in.suggestedLatency = request.latency;
    }
    PaStream* stream = nullptr;
    PaError error = paNoError;
    mPrioritySet = false;
    {
        const QuietStandardError quiet;
        error =
            Pa_OpenStream(&stream, request.captureChannels > 0 ? &in : nullptr, &out, request.rate,
                          paFramesPerBufferUnspecified, paClipOff, &CAudioDevice::OnBlock, this);
    }
    if (error != paNoError) {
        return Fail(error == paInvalidSampleRate ? kRateRefused : -1, Pa_GetErrorText(error));
    }
    const PaHostApiInfo* api = Pa_GetHostApiInfo(Pa_GetDeviceInfo(request.output)->hostApi);
    if (api != nullptr && api->type == paALSA) {
        PaAlsa_EnableRealtimeScheduling(stream, 1);
    }
    error = Pa_StartStream(stream);
    if (error != paNoError) {
        Pa_CloseStream(stream);
        return Fail(-1, Pa_GetErrorText(error));
    }
    const PaStreamInfo* info = Pa_GetStreamInfo(stream);
    *rate = info != nullptr ? info->sampleRate : request.rate;
    *latency = info != nullptr ? info->outputLatency : request.latency;
    mStream = stream;
    return 0;
}

void CAudioDevice::CloseStream() {
    // Aborting does not wait for a device that no longer takes sound.
    Pa_AbortStream(static_cast<PaStream*>(mStream));
    Pa_CloseStream(static_cast<PaStream*>(mStream));
    mStream = nullptr;
}

std::string CAudioDevice::StreamFailure() const {
    const PaError active = Pa_IsStreamActive(static_cast<PaStream*>(mStream));
    if (active == 1) {
        return {};
    }
    if (active < 0) {
        return Pa_GetErrorText(active);
    }
    const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
    return host != nullptr && host->errorText != nullptr && *host->errorText != '\0'
               ? host->errorText
               : "the stream ended";
}
