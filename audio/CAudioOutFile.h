#pragma once

#include "audio/CAudioFile.h"

#include "core/AtomicFile.h"

#include <memory>
#include <vector>

// A sound file writer. It writes the pieces a reader handed out unchanged and the
// frames in between in the file's sample coding. The file is built as a temporary
// file beside the path and only CloseFile puts it in place, so an abandoned or failed
// run never leaves a partial file and never harms what stood at the path.
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
    void DiscardFile();

    // Each writes the piece as it is: 0, or -1 when not open or the write failed.
    int WriteHeadInfo(const std::vector<uint8_t>& piece);
    int WriteMiddleInfo(const std::vector<uint8_t>& piece);
    int WriteDataHeader(const std::vector<uint8_t>& piece);
    int PutPadding(const std::vector<uint8_t>& piece);
    // Writes left, and right when stereo, in the file's coding: 0, or -1 when the
    // frames could not be written. A sample size the format lacks writes nothing.
    int PutNextSample(const tSample& frame) { return PutNextSamples(&frame, 1); }
    int PutNextSamples(const tSample* frames, size_t count);

    void SetSampleSize(int size) { SetFormat(size, mStereo); }
    void SetStereo(bool stereo) { SetFormat(mSampleSize, stereo); }

protected:
    // Encodes count frames into bytes, which has room for them; returns the number of
    // bytes used (0 for a sample size the format lacks).
    virtual size_t EncodeFrames(const tSample* frames, size_t count, uint8_t* bytes) const = 0;
    // EncodeFrames with encode(sample, bytes) writing each sample; the channel count
    // is settled outside the loop so that the loop stays tight.
    template <class Encode>
    size_t EncodeEach(const tSample* frames, size_t count, uint8_t* bytes, Encode encode) const {
        const auto size = static_cast<size_t>(mSampleSize);
        if (mStereo) {
            for (size_t i = 0; i < count; ++i, bytes += 2 * size) {
                encode(frames[i].left, bytes);
                encode(frames[i].right, bytes + size);
            }
            return count * 2 * size;
        }
        for (size_t i = 0; i < count; ++i, bytes += size) {
            encode(frames[i].left, bytes);
        }
        return count * size;
    }

private:
    int WriteBytes(const std::vector<uint8_t>& bytes);
    bool FlushBlock();

    std::unique_ptr<AtomicFile> mFile;
    // Frames are collected a block at a time so that the sample loop costs no library
    // call per frame.
    std::vector<uint8_t> mBlock;
    size_t mBlockUsed = 0;
    // Bytes written since the disk writes were last started.
    size_t mUnstarted = 0;
};
