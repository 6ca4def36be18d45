#include "audio/live/CSoundDevice.h"

int CSoundDevice::FindOutput(const std::string& name) const {
    const std::vector<Info> devices = Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const Info& d = devices[i];
        if (d.outputs > 0 && (name.empty() ? d.defaultOutput : d.name == name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CSoundDevice::DefaultInput() const {
    const std::vector<Info> devices = Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].defaultInput && devices[i].inputs > 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CSoundDevice::Start(const StreamRequest& request, CAudioRenderer* renderer) {
    if (mRunning) {
        return Fail(-3, "a stream is already playing");
    }
    mRenderer = renderer;
    mBlocks.store(0);
    mDropouts.store(0);
    mPriority.store(Priority::Unknown);
    mSeenBlocks = 0;
    mLastBlock = Now();
    mStarted = mLastBlock;
    mRequest = request;
    mRetries = 0;
    const int opened = OpenStream(request, &mRate, &mLatency);
    if (opened != 0) {
        mRenderer = nullptr;
        return opened;
    }
    mRunning = true;
    mProblem.clear();
    return 0;
}

void CSoundDevice::Stop() {
    if (mRunning) {
        CloseStream();
        mRunning = false;
        mRenderer = nullptr;
    }
}

bool CSoundDevice::CheckStream() {
    if (!mRunning) {
        return true;
    }
    std::string failure = StreamFailure();
    const uint64_t blocks = mBlocks.load(std::memory_order_relaxed);
    const auto now = Now();
    if (blocks != mSeenBlocks) {
        mSeenBlocks = blocks;
        mLastBlock = now;
    } else if (failure.empty() && now - mLastBlock > kStallLimit) {
        if (mLastBlock - mStarted < kStartTime && mRetries < kStartRetries) {
            CloseStream();
            ++mRetries;
            mStarted = mLastBlock = now;
            const bool reopened = OpenStream(mRequest, &mRate, &mLatency) == 0;
            if (!reopened) {
                mRunning = false;
                mRenderer = nullptr;
            }
            return reopened;
        }
        // A sound server that went away may leave the library waiting for ever.
        failure = "the device stopped asking for sound";
    }
    if (failure.empty()) {
        return true;
    }
    Stop();
    mProblem = std::move(failure);
    return false;
}

void CSoundDevice::Callback(const float* input, float* output, std::size_t frames,
                            bool dropout) noexcept {
    mRenderer->Render(input, output, frames);
    if (dropout) {
        mDropouts.fetch_add(1, std::memory_order_relaxed);
    }
    mBlocks.fetch_add(1, std::memory_order_relaxed);
}

int CSoundDevice::Fail(int code, std::string reason) {
    mProblem = std::move(reason);
    return code;
}
