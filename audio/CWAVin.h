#pragma once

#include "audio/CAudioInFile.h"

// Reads 8-bit (unsigned) or 16-bit PCM WAV files, mono or stereo. The head piece is
// the RIFF head with the "fmt " chunk, the middle piece the chunks up to "data" (at
// most ten), and the trailing piece everything after the last whole frame: a pad
// byte and any chunks after the data.
class CWAVin : public CAudioInFile {
public:
    using CAudioInFile::CAudioInFile;

    // Rewinds; -1 when the file is not a RIFF WAVE file whose first chunk is a
    // "fmt " chunk of 8- or 16-bit PCM, mono or stereo.
    long ReadHeadInfo(std::vector<uint8_t>* piece) override;
    // 0 when "data" follows at once; -1 when a chunk runs past the end of the file or
    // no "data" chunk comes; -2 when more than ten chunks come before "data".
    long ReadMiddleInfo(std::vector<uint8_t>* piece) override;
    // 8; -1 when the next chunk is not "data" or its samples run past the end.
    long ReadDataHeader(std::vector<uint8_t>* piece) override;
    long GetPadding(std::vector<uint8_t>* piece) override;

private:
    void DecodeFrames(const uint8_t* bytes, tSample* frames, size_t count) const override;
};
