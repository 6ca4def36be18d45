#pragma once

#include "audio/CChunkReader.h"

#include <array>

// Reads WAV files of integer PCM (8 to 32 bits) or float samples (32 or 64 bits),
// plain or extensible, in 1 to 64 channels. The head piece is the RIFF head with every
// chunk up to and including "fmt ", the middle piece the chunks from there to "data",
// and the trailing piece every byte after the data (its pad byte, chunks, a tag).
// A recording that was never finished (its data size 0, 0xFFFFFFFF or beyond the end
// of the file) has its data run to the end of the file in whole frames; the pieces
// then state the true sizes, as RF64 when they take more than 32 bits, and Warning()
// says so.
class CWAVin : public CChunkReader {
public:
    using CChunkReader::CChunkReader;

    // Rewinds and walks the file up to its sample data. The length of the head piece;
    // -1 when the file is no RIFF WAVE file, has no "fmt " chunk before "data", a
    // format that cannot be read, or a chunk before the data that runs past the end.
    long ReadHeadInfo(std::vector<uint8_t>* piece) override;
    // Valid after ReadHeadInfo: the chunks between "fmt " and "data" (0 when none).
    long ReadMiddleInfo(std::vector<uint8_t>* piece) override;
    // Valid after ReadHeadInfo: 8, the "data" header.
    long ReadDataHeader(std::vector<uint8_t>* piece) override;
    long GetPadding(std::vector<uint8_t>* piece) override;

private:
    // Reads the data header at offset and settles the true data size.
    long FindData(int64_t offset, std::vector<uint8_t>* head);

    std::vector<uint8_t> mMiddle;
    std::array<uint8_t, 8> mDataHeader{};
    int64_t mDataOffset = 0;
    // The declared data size, or the whole frames up to the end of the file.
    int64_t mDataBytes = 0;
    // The declared data size holds; the bytes after the data are passed on.
    bool mFinished = false;
    bool mHeadRead = false;
};
