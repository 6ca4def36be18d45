#include "audio/CWAVout.h"

namespace {

void Encode(int32_t x, int sampleSize, uint8_t* b) {
    if (sampleSize == 1) {
        b[0] = static_cast<uint8_t>(x / (1 << 24) + 128);
    } else {
        const int32_t v = x / (1 << 16);
        b[0] = static_cast<uint8_t>(v);
        b[1] = static_cast<uint8_t>(v >> 8);
    }
}

} // namespace

size_t CWAVout::EncodeFrames(const tSample* frames, size_t count, uint8_t* b) const {
    if (mSampleSize != 1 && mSampleSize != 2) {
        return 0;
    }
    for (size_t i = 0; i < count; ++i, b += mFrameSize) {
        Encode(frames[i].left, mSampleSize, b);
        if (mStereo) {
            Encode(frames[i].right, mSampleSize, b + mSampleSize);
        }
    }
    return count * static_cast<size_t>(mFrameSize);
}
