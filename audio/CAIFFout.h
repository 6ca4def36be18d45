#pragma once

#include "audio/CAudioOutFile.h"

// Writes AIFF frames: big-endian two's-complement samples of 1 to 4 bytes.
class CAIFFout : public CAudioOutFile {
public:
    using CAudioOutFile::CAudioOutFile;

private:
    // Each sample is truncated toward zero to the file's bits.
    size_t EncodeFrames(const tSample* frames, size_t count, uint8_t* bytes) const override;
};
