#include "audio/CWAVout.h"

size_t CWAVout::EncodeFrames(const tSample* frames, size_t count, uint8_t* bytes) const {
    if (mSampleSize == 1) {
        return EncodeEach(frames, count, bytes, [](int32_t x, uint8_t* b) {
            b[0] = static_cast<uint8_t>(x / (1 << 24) + 128);
        });
    }
    if (mSampleSize == 2) {
        return EncodeEach(frames, count, bytes, [](int32_t x, uint8_t* b) {
            const int32_t v = x / (1 << 16);
            b[0] = static_cast<uint8_t>(v);
            b[1] = static_cast<uint8_t>(v >> 8);
        });
    }
    return 0;
}
