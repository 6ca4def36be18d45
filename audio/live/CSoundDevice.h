#pragma once

#include "audio/live/CAudioRenderer.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// The sound devices of the machine and one stream on them that asks a CAudioRenderer for
// its sound on an audio thread, whatever library reaches them. Besides starting and
// stopping the stream it watches it from the user-interface thread: a stream the
// library reports failed or ended, or whose device has stopped asking for sound, is
// lost; and it counts dropouts. Failures are results: negative codes, with the reason
// in Problem().
class CSoundDevice {
public:
    struct Info {
        std::string name;
        int inputs = 0;
        int outputs = 0;
        double defaultRate = 0.0;
        bool defaultOutput = false;
        bool defaultInput = false;
    };
    struct StreamRequest {
        // The output device's place in Devices().
        int output = -1;
        int channels = 2;
        // Channels captured from the default input device along; 0 for none.
        int captureChannels = 0;
        double rate = 0.0;
        // The buffering asked for, in seconds.
        double latency = 0.02;
    };
    enum class Priority { Unknown, RealTime, Normal };

    // Start's result when the device cannot run at the rate asked for.
    static constexpr int kRateRefused = -2;
    // A running stream whose device has not asked for sound for this long is lost;
    // one that stalled within kStartTime of its start is opened again, up to
    // kStartRetries times, since some back ends (ALSA's PulseAudio plugin) now and then
    // never get a new stream going.
    static constexpr std::chrono::milliseconds kStallLimit{750};
    static constexpr std::chrono::milliseconds kStartTime{1000};
    static constexpr int kStartRetries = 3;

    CSoundDevice() = default;
    virtual ~CSoundDevice() = default;
    CSoundDevice(const CSoundDevice&) = delete;
    CSoundDevice& operator=(const CSoundDevice&) = delete;

    // The devices with at least one output or input channel; empty without any.
    virtual std::vector<Info> Devices() const = 0;
    // The output device named name ("" for the default): its place in Devices(), or -1.
    int FindOutput(const std::string& name) const;
    // The default capture device's place in Devices(), or -1 without one.
    int DefaultInput() const;

    // Starts the stream; renderer must outlive it. 0; -1 when the library or the device
    // fails; kRateRefused; -3 when a stream runs.
    int Start(const StreamRequest& request, CAudioRenderer* renderer);
    // Stops and closes the stream; nothing when none runs.
    void Stop();
    bool Running() const { return mRunning; }
    // The running stream's rate in Hz and output latency in seconds.
    double Rate() const { return mRate; }
    double Latency() const { return mLatency; }
    // How the audio thread runs; known from the stream's first block on.
    Priority ThreadPriority() const noexcept { return mPriority.load(std::memory_order_relaxed); }
    // Blocks in which the device ran out of sound, or capture overflowed, since Start.
    int64_t Dropouts() const noexcept { return mDropouts.load(std::memory_order_relaxed); }
    // User-interface thread, every few tens of milliseconds while the stream runs: false
    // once it is lost; it is then stopped and Problem() says why. True otherwise.
    bool CheckStream();

    const std::string& Problem() const { return mProblem; }

protected:
    // The library's part of Start: opens and starts the stream, whose blocks it passes to
    // Callback; sets *rate and *latency to what the stream really runs at. A result of
    // Start, with the reason through Fail.
    virtual int OpenStream(const StreamRequest& request, double* rate, double* latency) = 0;
    // Stops and closes the stream at once, also one that failed.
    virtual void CloseStream() = 0;
    // Why the library says the running stream failed or ended; empty while it runs.
    virtual std::string StreamFailure() const = 0;
    virtual std::chrono::steady_clock::time_point Now() const {
        return std::chrono::steady_clock::now();
    }

    // Audio thread: one block of the stream; dropout when the library flagged that the
    // device ran out of sound before it.
    void Callback(const float* input, float* output, std::size_t frames, bool dropout) noexcept;
    void SetPriority(Priority priority) noexcept {
        mPriority.store(priority, std::memory_order_relaxed);
    }
    int Fail(int code, std::string reason);

private:
    CAudioRenderer* mRenderer = nullptr;
    bool mRunning = false;
    double mRate = 0.0;
    double mLatency = 0.0;
    std::atomic<uint64_t> mBlocks{0};
    std::atomic<int64_t> mDropouts{0};
    std::atomic<Priority> mPriority{Priority::Unknown};
    // What CheckStream saw last, and when the count of blocks last moved.
    uint64_t mSeenBlocks = 0;
    std::chrono::steady_clock::time_point mLastBlock{};
    StreamRequest mRequest;
    std::chrono::steady_clock::time_point mStarted{};
    int mRetries = 0;
    std::string mProblem;
};
