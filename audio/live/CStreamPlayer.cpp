#include "audio/live/CStreamPlayer.h"

#include <algorithm>

CStreamPlayer::CStreamPlayer(int channels, double sampleRate)
    : mEngine(channels, sampleRate), mChannels(static_cast<std::size_t>(mEngine.Channels())) {}

void CStreamPlayer::UseClip(CSoundClip clip, bool loop) {
    mClip = std::move(clip);
    mLoop = loop;
    mCaptureChannels = 0;
    mMixGain.assign(mChannels, 0.0f);
    for (std::size_t c = 0; c < mClip.Channels(); ++c) {
        mMixGain[c % mChannels] += 1.0f;
    }
    for (float& gain : mMixGain) {
        gain = gain > 0.0f ? 1.0f / gain : 0.0f;
    }
}

void CStreamPlayer::UseCapture(int inputChannels) {
    mCaptureChannels = static_cast<std::size_t>(std::clamp(inputChannels, 1, 2));
    mClip = CSoundClip();
}

void CStreamPlayer::Render(const float* input, float* output, std::size_t frames) noexcept {
    if (mCaptureChannels > 0 && input != nullptr) {
        CopyCapture(input, output, frames);
    } else {
        CopyClip(output, frames);
    }
    mEngine.Render(output, frames);
}

void CStreamPlayer::CopyClip(float* output, std::size_t frames) noexcept {
    const std::size_t clipFrames = mClip.Frames();
    const std::size_t clipChannels = mClip.Channels();
    for (std::size_t f = 0; f < frames; ++f, output += mChannels) {
        if (mPosition >= clipFrames && mLoop) {
            mPosition = 0;
        }
        if (mPosition >= clipFrames) {
            std::fill(output, output + mChannels, 0.0f);
            mFinished.store(true, std::memory_order_release);
            continue;
        }
        const float* in = &mClip.Samples()[mPosition * clipChannels];
        if (clipChannels > mChannels) {
            std::fill(output, output + mChannels, 0.0f);
            for (std::size_t c = 0; c < clipChannels; ++c) {
                output[c % mChannels] += in[c];
            }
            for (std::size_t c = 0; c < mChannels; ++c) {
                output[c] *= mMixGain[c];
            }
        } else {
            for (std::size_t c = 0; c < mChannels; ++c) {
                output[c] = in[std::min(c, clipChannels - 1)];
            }
        }
        ++mPosition;
    }
}

void CStreamPlayer::CopyCapture(const float* input, float* output, std::size_t frames) noexcept {
    for (std::size_t f = 0; f < frames; ++f, output += mChannels, input += mCaptureChannels) {
        for (std::size_t c = 0; c < mChannels; ++c) {
            output[c] = input[std::min(c, mCaptureChannels - 1)];
        }
    }
}
