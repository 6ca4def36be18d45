#pragma once

#include "audio/ByteSource.h"
#include "audio/CAudioInFile.h"

#include <memory>

// Reads the containers the native readers do not take (FLAC, RF64, W64, CAF, Ogg
// Vorbis and Opus, MP3 and others) through the general sound file library, and makes
// writers of the same container, sample format, rate and channels that carry its
// strings, broadcast information and cue points. It hands out no header pieces. The
// library reads through a ByteSource, as the native readers do.
class CSndFile : public CAudioInFile {
public:
    explicit CSndFile(std::unique_ptr<ByteSource> source);
    ~CSndFile() override;

    // 0; -3 when already open; -1 when the source cannot be opened or the library
    // cannot read it.
    int OpenFile() override;
    int CloseFile() override;
    // 0 and no piece: the writer rebuilds the headers from the file's description.
    long ReadHeadInfo(std::vector<uint8_t>* piece) override;
    long ReadMiddleInfo(std::vector<uint8_t>* piece) override;
    long ReadDataHeader(std::vector<uint8_t>* piece) override;
    long GetPadding(std::vector<uint8_t>* piece) override;
    long ReadFrames(double* samples, long count) override;
    std::unique_ptr<CAudioOutFile> MakeWriter(std::string path) const override;

    struct Handle;

private:
    std::unique_ptr<ByteSource> mSource;
    std::unique_ptr<Handle> mHandle;
};
