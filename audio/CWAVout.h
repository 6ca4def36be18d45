#pragma once

#include "audio/CAudioOutFile.h"

// Writes WAV frames: 8-bit unsigned or 16-bit little-endian samples.
class CWAVout : public CAudioOutFile {
public:
    using CAudioOutFile::CAudioOutFile;

private:
    // Each sample is truncated toward zero to the file's bits.
    size_t EncodeFrames(const tSample* frames, size_t count, uint8_t* bytes) const override;
};
