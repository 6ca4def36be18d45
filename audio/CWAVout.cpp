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

int CWAVout::PutNextSample(const tSample& frame) {
    if (mSampleSize != 1 && mSampleSize != 2) {
        return 0;
    }
    uint8_t* b = FrameSlot();
    if (b == nullptr) {
        return -1;
    }
    Encode(frame.left, mSampleSize, b);
    if (mStereo) {
        Encode(frame.right, mSampleSize, b + mSampleSize);
    }
    return 0;
}
