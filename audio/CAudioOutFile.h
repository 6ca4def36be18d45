#pragma once

#include "audio/CAudioFile.h"

#include "core/AtomicFile.h"

#include <memory>
#include <vector>

// A sound file writer. It writes the pieces a reader handed out unchanged and the
// frames in between in the file's sample coding. A regular file is built as a
// temporary file beside the path and only CloseFile puts it in place, so an abandoned
// or failed run never leaves a partial file and never harms what stood at the path
// (AtomicFile says where that cannot be done).
class CAudioOutFile : public CAudioFile {
public:
    using CAudioFile::CAudioFile;

    // 0; -3 when already open; -1 when the path is a folder or no file can be
    // created beside it.
    int OpenFile() override;
    // Finishes the file and renames it onto the path: 0; -2 when not open; -1 when a
    // write, the close or the rename failed (the path is then left as it was).
    int CloseFile() override;
    // Removes the unfinished file; the path is left as it was.
    virtual void DiscardFile();

    // Writes a header piece as it is: 0, or -1 when not open or the write failed.
    int WritePiece(const std::vector<uint8_t>& piece);
    // Writes count frames of interleaved samples (integer samples already whole steps
    // within the coding's range): 0, or -1 when they could not be written.
    virtual int PutFrames(const double* samples, size_t count);

protected:
    // The open file, for writers that write through its descriptor.
    std::FILE* Stream() const { return mFile->Stream(); }
    // Called by CloseFile before the file is put in place; false when finishing failed.
    virtual bool Finish();

private:
    bool FlushBlock();

    std::unique_ptr<AtomicFile> mFile;
    // Frames are collected a block at a time so that the sample loop costs no library
    // call per frame.
    std::vector<uint8_t> mBlock;
    size_t mBlockUsed = 0;
    // Bytes written since the disk writes were last started.
    size_t mUnstarted = 0;
};
