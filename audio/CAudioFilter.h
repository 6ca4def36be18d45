#pragma once

#include "audio/CAudioInFile.h"
#include "audio/CAudioOutFile.h"
#include "audio/CFrameFilter.h"
#include "core/FNodeList.h"

#include <functional>
#include <memory>
#include <string>

// Runs a design over a WAV or AIFF file: every frame goes through one filter per
// channel, divided by the design's peak gain over all frequencies, into an output
// file with the input's header bytes, format and frame count. Use once, in this
// order: construct, PrepareFiles, SetFilter, ProcessFile. Failures are results; the
// file concerned and the reason are then in ProblemFile() and Problem().
class CAudioFilter {
public:
    // Told the percentage done every 2500 frames; a non-zero result stops the run.
    using ProgressCallback = std::function<int(int percent)>;

    CAudioFilter(std::string inName, std::string outName);

    // Recognises the input's format by its content and learns its sample format.
    // 0; -1 when the input cannot be opened or the output path names the input file
    // (also through another path or a link); -2 when the input is neither AIFF nor WAV.
    int PrepareFiles();
    // 0; -1 when no list is given, the files are not prepared, the design is not
    // causal, or its peak gain is 0 or not finite.
    int SetFilter(const FNodeList* list);
    // Filters all frames; the output appears at its path only when the run succeeds.
    // 0; -1 when not ready, a file cannot be opened or the output cannot be written;
    // -2 when the input's headers or samples cannot be read as they claim; -3 when the
    // callback stopped the run. The callback may be empty.
    int ProcessFile(const ProgressCallback& callback);

    // The input's format, known after PrepareFiles.
    int GetSampleSize() const { return sampleSize; }
    bool IsStereo() const { return isStereo; }
    uint32_t GetSampleRate() const { return sampleRate; }
    // The divisor of every output sample, known after SetFilter.
    double GetScaleValue() const { return mScaleValue; }

    const std::string& ProblemFile() const { return mProblemFile; }
    const std::string& Problem() const { return mProblem; }

private:
    enum fileType { typeNone = 0, typeWAV = 1, typeAIFF = 2 };

    int Fail(int code, const std::string& file, std::string reason);
    // Runs the reader into the writer, both open; a result of ProcessFile.
    int CopyThrough(const ProgressCallback& callback);

    CFrameFilter mInputResponse;
    std::unique_ptr<CAudioInFile> mInFile;
    std::unique_ptr<CAudioOutFile> mOutFile;
    std::string mInName;
    std::string mOutName;
    fileType mType = typeNone;
    int sampleSize = 0;
    bool isStereo = false;
    uint32_t sampleRate = 0;
    double mScaleValue = 1.0;
    // 0 nothing done, 1 files prepared, 2 filter set.
    int mFilePrepared = 0;
    std::string mProblemFile;
    std::string mProblem;
};
