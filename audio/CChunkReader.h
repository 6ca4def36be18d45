#pragma once

#include "audio/ByteSource.h"
#include "audio/CAudioInFile.h"

#include <memory>
#include <vector>

// What the native readers share: a ByteSource they walk chunk by chunk, the header
// pieces copied from it, and the sample data read a block of whole frames at a time
// and decoded in the file's own coding. A derived reader finds the pieces and calls
// StartData at the first sample byte.
class CChunkReader : public CAudioInFile {
public:
    // Reads the file at path.
    explicit CChunkReader(std::string path);
    // Reads what source holds; GetFilename() is then empty.
    explicit CChunkReader(std::unique_ptr<ByteSource> source);

    // 0; -3 when already open; -1 when the source cannot be opened.
    int OpenFile() override;
    // 0; -2 when not open; -1 when closing fails.
    int CloseFile() override;
    long ReadFrames(double* samples, long count) override;
    // A writer of the reader's coding and channels that writes the pieces as they are.
    std::unique_ptr<CAudioOutFile> MakeWriter(std::string path) const override;

protected:
    ByteSource& Source() { return *mSource; }
    // Bytes from the start of the file to its end, as found when it was opened.
    int64_t RealLength() const { return mSource->Size(); }
    // The sample data starts at the source's position and holds dataBytes bytes;
    // the frames are the whole frames among them.
    void StartData(int64_t dataBytes);
    // Where the sample data begins and the byte after its last whole frame.
    int64_t DataStart() const { return mDataStart; }
    int64_t WholeFramesEnd() const;
    // Appends the count bytes at offset to piece; false (piece unchanged) when they are
    // not all in the file or the piece would grow beyond kMaxPieceBytes, with the reason
    // worded to follow the name of what was read ("runs past the end of the file").
    bool AppendPiece(int64_t offset, int64_t count, std::vector<uint8_t>* piece);

    // For WAV the RIFF size, for AIFF the form size rounded up to even.
    int64_t mFileLength = 0;
    // Sample bytes as stated by the data header.
    int64_t mDataLength = 0;
    // A pad byte follows the sample data.
    bool mPadding = false;

private:
    std::unique_ptr<ByteSource> mSource;
    int64_t mFramesUnread = 0;
    int64_t mDataStart = 0;
    // Whole frames are read a block at a time so that the sample loop costs no call
    // to the source per frame.
    std::vector<uint8_t> mBlock;
    size_t mBlockPos = 0;
    size_t mBlockEnd = 0;
};
