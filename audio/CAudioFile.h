#pragma once

#include <cstdint>
#include <string>

// One sample frame, each channel left-justified to signed 32-bit full scale (the
// file's sample value times 2^(32 - bits)). Mono files use left only.
struct tSample {
    int32_t left = 0;
    int32_t right = 0;
};

// What a sound file reader and writer share: the path and the sample format. Results
// are codes, never exceptions; a failing operation leaves a reason in Problem().
class CAudioFile {
public:
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

    // Bytes per sample: 1 or 2 for WAV, 1 to 4 for AIFF.
    int GetSampleSize() const { return mSampleSize; }
    bool IsStereo() const { return mStereo; }
    // Samples per second per channel; 0 when unknown.
    uint32_t GetSampleRate() const { return mSampleRate; }
    const std::string& GetFilename() const { return mFilename; }
    // Why the last failing operation failed, in a few words for the user.
    const std::string& Problem() const { return mProblem; }

protected:
    // Records the reason and returns code, for "return Fail(-1, ...)".
    int Fail(int code, std::string reason);
    void SetFormat(int sampleSize, bool stereo);

    bool mStereo = false;
    int mSampleSize = 1;
    // Bytes per frame: mSampleSize for mono, twice that for stereo.
    int mFrameSize = 1;
    uint32_t mSampleRate = 0;
    bool mFileIsOpen = false;

private:
    std::string mFilename;
    std::string mProblem;
};
