#pragma once

#include "audio/CAudioFile.h"
#include "audio/CAudioOutFile.h"

#include <cstdio>
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

    int OpenFile() override;
    int CloseFile() override;

    virtual long ReadHeadInfo(std::vector<uint8_t>* piece) = 0;
    virtual long ReadMiddleInfo(std::vector<uint8_t>* piece) = 0;
    virtual long ReadDataHeader(std::vector<uint8_t>* piece) = 0;
    // Up to count frames of interleaved samples: how many were read (0 when none is
    // left), or -2 when the sample data ends before its stated length or cannot be read.
    virtual long ReadFrames(double* samples, long count);
    // What follows the last whole frame; valid after ReadDataHeader.
    virtual long GetPadding(std::vector<uint8_t>* piece) = 0;
    // A writer that makes a file of this one's kind and format from the pieces and
    // frames this reader hands out.
    virtual std::unique_ptr<CAudioOutFile> MakeWriter(std::string path) const;

    // What the reader had to repair to read the file (e.g. sizes of a recording that
    // was never finished), or empty.
    const std::string& Warning() const { return mWarning; }

    // Frames still to read.
    int64_t GetFrameCount() const { return mFrameCount; }

protected:
    std::FILE* Stream() const { return mFilePtr.get(); }
    // Bytes from the start of the file to its end, as found when it was opened.
    int64_t RealLength() const { return mRealLength; }
    // Fails with a reason unless the stream is open.
    bool CheckOpen();
    // The sample data starts at the stream's position and holds dataBytes bytes;
    // the frames are the whole frames among them.
    void StartData(int64_t dataBytes);
    // Where the sample data begins and the byte after its last whole frame.
    int64_t DataStart() const { return mDataStart; }
    int64_t WholeFramesEnd() const;
    // Appends the count bytes at offset to piece; false with a reason (piece
    // unchanged) when they are not all in the file or the piece would grow beyond
    // kMaxPieceBytes.
    bool AppendPiece(int64_t offset, int64_t count, std::vector<uint8_t>* piece);

    // For WAV the RIFF size, for AIFF the form size rounded up to even.
    int64_t mFileLength = 0;
    // Sample bytes as stated by the data header.
    int64_t mDataLength = 0;
    // A pad byte follows the sample data.
    bool mPadding = false;
    // Frames still to read.
    int64_t mFrameCount = 0;
    std::string mWarning;

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> mFilePtr;
    int64_t mRealLength = 0;
    int64_t mFramesUnread = 0;
    int64_t mDataStart = 0;
    // Whole frames are read a block at a time so that the sample loop costs no library
    // call per frame.
    std::vector<uint8_t> mBlock;
    size_t mBlockPos = 0;
    size_t mBlockEnd = 0;
};
