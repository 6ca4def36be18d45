#pragma once

#include "audio/CAudioOutFile.h"

// Writes WAV frames: 8-bit unsigned or 16-bit little-endian samples.
class CWAVout : public CAudioOutFile {
public:
    using CAudioOutFile::CAudioOutFile;

    // Each sample is truncated toward zero to the file's bits.
    int PutNextSample(const tSample& frame) override;
};
