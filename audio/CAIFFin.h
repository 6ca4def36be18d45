#pragma once

#include "audio/CChunkReader.h"

// Reads AIFF and AIFF-C files of 8- to 32-bit integer samples (big- or little-endian)
// or 32- or 64-bit float samples, in 1 to 64 channels. The head piece
// is the 12-byte FORM head, the middle piece every chunk of the form except "SSND"
// in file order, the data header the "SSND" header with its offset and block size,
// and the trailing piece any bytes after the last whole frame plus the pad byte of
// odd sample data. The output therefore has the other chunks before "SSND".
class CAIFFin : public CChunkReader {
public:
    using CChunkReader::CChunkReader;

    // 12, after rewinding; -1 when the file is not an AIFF or AIFF-C FORM or the form runs past
    // the end of the file.
    long ReadHeadInfo(std::vector<uint8_t>* piece) override;
    // Valid after ReadHeadInfo. -1 for a "COMM" chunk of a format that cannot be read; -2 for a
    // chunk that runs past the end of the form or the file; -3 when the form lacks its "COMM" or
    // "SSND" chunk or holds two "SSND" chunks.
    long ReadMiddleInfo(std::vector<uint8_t>* piece) override;
    // Valid after ReadHeadInfo. 16; -1 when the form holds no "SSND" chunk or its
    // samples run past the end of the file.
    long ReadDataHeader(std::vector<uint8_t>* piece) override;
    long GetPadding(std::vector<uint8_t>* piece) override;

private:
    long WalkForm(std::vector<uint8_t>* piece);

    // The form is AIFF-C, whose "COMM" chunk names a compression type.
    bool mCompressed = false;
};
