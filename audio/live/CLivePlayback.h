#pragma once

#include "audio/live/CSoundClip.h"
#include "audio/live/CSoundDevice.h"
#include "audio/live/CStreamPlayer.h"
#include "filter/Zpk.h"

#include <memory>
#include <string>

// Sound played live through a design on a CSoundDevice, as the Audio Stream window and
// qen play do it: chooses the stream's channels (a mono source on two, a source of
// more channels than the device has mixed down to the device's), plays a clip the
// device cannot take at its own rate resampled to the device's default rate, watches
// the stream, and says in one line how it plays. User-interface thread only.
class CLivePlayback {
public:
    explicit CLivePlayback(CSoundDevice& device) : mDevice(device) {}
    ~CLivePlayback() { Stop(); }
    CLivePlayback(const CLivePlayback&) = delete;
    CLivePlayback& operator=(const CLivePlayback&) = delete;

    // Plays clip, once or looped, through design on the output device at the place
    // output in Devices(), buffering latency seconds. 0, or a result of
    // CSoundDevice::Start with Problem() saying why.
    int PlayClip(CSoundClip clip, bool loop, const Zpk& design, int output, double latency);
    // Plays the default capture device (one or two channels) through design instead.
    int PlayCapture(const Zpk& design, int output, double latency);
    void Stop();

    // Hands a new state of the design to the stream.
    void Publish(const Zpk& design);
    // The reason the design last published plays silence, or empty while it filters
    // (CStreamDesign::Status).
    const std::string& DesignStatus() const { return mDesignStatus; }
    // Every few tens of milliseconds while playing: frees what the audio thread has
    // finished with, and returns false once the stream is lost (it has then stopped,
    // and Problem() says why).
    bool Check();

    bool Playing() const { return mPlayer != nullptr; }
    // The player while playing, else null.
    CStreamPlayer* Player() { return mPlayer.get(); }
    // "DEVICE: 48000 Hz, latency 20 ms", then what was changed to play the source ("the
    // file's 44100 Hz resampled", "6 channels mixed down to 2") and "not at real-time
    // priority" once known; empty when stopped.
    std::string Status() const;
    const std::string& Problem() const { return mProblem; }

private:
    // Publishes the design and starts the device on the player; a result of
    // CSoundDevice::Start, with mProblem set on failure.
    int Start(const Zpk& design, int output, int channels, int captureChannels, double rate,
              double latency);
    // result, after letting go of the player when it is a failure.
    int Started(int result);

    CSoundDevice& mDevice;
    std::unique_ptr<CStreamPlayer> mPlayer;
    std::string mDeviceName;
    // The clip's own rate when it was resampled, else 0.
    uint32_t mResampledFrom = 0;
    // The source's channels when they were mixed down, else 0.
    std::size_t mMixedFrom = 0;
    std::string mDesignStatus;
    std::string mProblem;
};
