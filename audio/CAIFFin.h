#pragma once

#include "audio/CChunkReader.h"

#include <array>

// Reads AIFF and AIFF-C files of 8- to 32-bit integer samples (big- or little-endian)
// or 32- or 64-bit float samples, in 1 to 64 channels. The head piece is the 12-byte
// FORM head, the middle piece every chunk of the form except "SSND" in file order, the
// data header the "SSND" header with its offset and block size and the offset's bytes
// before the first frame, and the trailing piece any bytes after the last whole frame
// plus the pad byte of odd sample data. The output therefore has the other chunks
// before "SSND". A recording never finished (its "SSND" chunk or its form running past
// the end of the file) is read to the end of the file in whole frames; the pieces then
// state the true sizes and Warning() says so.
class CAIFFin : public CChunkReader {
public:
    using CChunkReader::CChunkReader;

    // 12, after rewinding and walking the form; -1 when the file is not an AIFF or
    // AIFF-C FORM.
    long ReadHeadInfo(std::vector<uint8_t>* piece) override;
    // Valid after ReadHeadInfo. -1 for a "COMM" chunk of a format that cannot be read; -2 for a
    // chunk that runs past the end of the form or the file; -3 when the form lacks its "COMM" or
    // "SSND" chunk or holds two "SSND" chunks.
    long ReadMiddleInfo(std::vector<uint8_t>* piece) override;
    // Valid after ReadMiddleInfo succeeded: 16 and the offset's bytes; -1 when the
    // "SSND" chunk is shorter than its fields or its offset lies beyond its samples.
    long ReadDataHeader(std::vector<uint8_t>* piece) override;
    long GetPadding(std::vector<uint8_t>* piece) override;

private:
    // Fills mMiddle and finds "SSND"; a result of ReadMiddleInfo.
    long WalkForm(std::vector<uint8_t>* head);
    // Settles the sizes of a recording never finished and states them in the head and
    // in the "COMM" chunk at commBody in mMiddle; a result of ReadMiddleInfo.
    long Repair(std::vector<uint8_t>* head, int64_t commBody);

    // The form is AIFF-C, whose "COMM" chunk names a compression type.
    bool mCompressed = false;
    std::vector<uint8_t> mMiddle;
    // The result of the walk and its reason, handed out by ReadMiddleInfo.
    long mWalked = -1;
    std::string mWalkProblem;
    // Where the "SSND" chunk starts in the file, and its size as the file states it or,
    // for a recording never finished, as repaired.
    int64_t mSoundAt = 0;
    int64_t mSoundSize = 0;
    // The "SSND" chunk, or the form, runs past the end of the file.
    bool mSoundCut = false;
    bool mFormCut = false;
};
