#include "audio/CAIFFout.h"

namespace {

// The sample in the top Size bytes of x, truncated toward zero, written big-endian.
template <int Size> void Encode(int32_t x, uint8_t* b) {
    const auto v = static_cast<uint32_t>(Size == 4 ? x : x / (1 << (32 - 8 * Size)));
    for (int i = 0; i < Size; ++i) {
        b[i] = static_cast<uint8_t>(v >> (8 * (Size - 1 - i)));
    }
}

} // namespace

size_t CAIFFout::EncodeFrames(const tSample* frames, size_t count, uint8_t* bytes) const {
    switch (mSampleSize) {
    case 1:
        return EncodeEach(frames, count, bytes, Encode<1>);
    case 2:
        return EncodeEach(frames, count, bytes, Encode<2>);
    case 3:
        return EncodeEach(frames, count, bytes, Encode<3>);
    case 4:
        return EncodeEach(frames, count, bytes, Encode<4>);
    default:
        return 0;
    }
}
