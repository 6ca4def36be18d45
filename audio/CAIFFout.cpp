#include "audio/CAIFFout.h"

namespace {

// The sample in the top bytes of x, truncated toward zero, then written big-endian.
void Encode(int32_t x, int sampleSize, uint8_t* b) {
    const int shift = 32 - 8 * sampleSize;
    const auto v = static_cast<uint32_t>(shift == 0 ? x : x / (1 << shift));
    for (int i = 0; i < sampleSize; ++i) {
        b[i] = static_cast<uint8_t>(v >> (8 * (sampleSize - 1 - i)));
    }
}

} // namespace

size_t CAIFFout::EncodeFrames(const tSample* frames, size_t count, uint8_t* b) const {
    if (mSampleSize < 1 || mSampleSize > 4) {
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
