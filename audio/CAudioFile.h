#pragma once

#include "audio/CSampleCoding.h"

#include <cstdint>
#include <string>

// What a sound file reader and writer share: the path and the sample format. Samples
// travel as interleaved doubles in the units CSampleCoding decodes to. Results are
// codes, never exceptions; a failing operation leaves a reason in Problem().
class CAudioFile {
public:
    static constexpr int kMaxChannels = 64;

    explicit CAudioFile(std::string filename) : mFilename(std::move(filename)) {}
    virtual ~CAudioFile() = default;
    CAudioFile(const CAudioFile&) = delete;
    CAudioFile& operator=(const CAudioFile&) = delete;

    // 0; -3 when already open; -1 when the file cannot be opened.
    virtual int OpenFile() = 0;
    // 0; -2 when not open; -1 when closing fails.
    virtual int CloseFile() = 0;
    // CloseFile, then OpenFile: 0, or -1 when either failed.
    int ResetFile();

    const CSampleCoding& GetCoding() const { return mCoding; }
    // 1 to 64 once the format is known.
    int GetChannels() const { return mChannels; }
    // Samples per second per channel; 0 when unknown.
    uint32_t GetSampleRate() const { return mSampleRate; }
    const std::string& GetFilename() const { return mFilename; }
    // Why the last failing operation failed, in a few words for the user.
    const std::string& Problem() const { return mProblem; }

    void SetFormat(const CSampleCoding& coding, int channels);

protected:
    // Records the reason and returns code, for "return Fail(-1, ...)".
    int Fail(int code, std::string reason);

    CSampleCoding mCoding = CSampleCoding::UnsignedByte();
    int mChannels = 1;
    // Bytes per frame.
    int mFrameSize = 1;
    uint32_t mSampleRate = 0;
    bool mFileIsOpen = false;

private:
    std::string mFilename;
    std::string mProblem;
};
