#pragma once

#include "audio/CAudioFile.h"
#include "audio/CAudioOutFile.h"

#include <memory>
#include <vector>

// A sound file reader. It hands out the file as raw header pieces (head, middle, data
// header), then the sample frames one by one, then a trailing piece, so that a writer
// can reproduce the file's layout byte for byte around new samples. Call in that
// order after OpenFile. Pieces are results: a positive length with the piece filled,
// 0 with no piece, or a negative failure code (the piece is then empty).
class CAudioInFile : public CAudioFile {
public:
    using CAudioFile::CAudioFile;

    virtual long ReadHeadInfo(std::vector<uint8_t>* piece) = 0;
    virtual long ReadMiddleInfo(std::vector<uint8_t>* piece) = 0;
    virtual long ReadDataHeader(std::vector<uint8_t>* piece) = 0;
    // Up to count frames of interleaved samples: how many were read (0 when none is
    // left), or -2 when the sample data ends before its stated length or cannot be read.
    virtual long ReadFrames(double* samples, long count) = 0;
    // What follows the last whole frame; valid after ReadDataHeader.
    virtual long GetPadding(std::vector<uint8_t>* piece) = 0;
    // A writer that makes a file of this one's kind and format from the pieces and
    // frames this reader hands out.
    virtual std::unique_ptr<CAudioOutFile> MakeWriter(std::string path) const = 0;

    // What the reader had to repair to read the file (e.g. sizes of a recording that
    // was never finished), or empty.
    const std::string& Warning() const { return mWarning; }

    // Frames still to read.
    int64_t GetFrameCount() const { return mFrameCount; }

protected:
    // Fails with a reason unless the file is open.
    bool CheckOpen();

    // Frames still to read.
    int64_t mFrameCount = 0;
    std::string mWarning;
};
