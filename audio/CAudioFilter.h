#pragma once

#include "arith/QuantizedFilter.h"
#include "audio/CAudioInFile.h"
#include "audio/CAudioOutFile.h"
#include "audio/CRequantizer.h"
#include "filter/Zpk.h"
#include "run/FSectionFilter.h"

#include <functional>
#include <memory>
#include <string>

// Runs a design over a sound file: every channel goes through its own filter, divided
// by the design's peak gain over all frequencies, into an output file of the input's kind, format,
// channels and frame count (WAV and AIFF with the input's header bytes). Integer samples are
// requantized to the format's steps and saturate; float samples are not clipped. Use
// once, in this order: construct, PrepareFiles, SetFilter, ProcessFile. Failures are
// results; the file concerned and the reason are then in ProblemFile() and Problem().
class CAudioFilter {
public:
    // Told the percentage done every 2500 frames; a non-zero result stops the run.
    using ProgressCallback = std::function<int(int percent)>;

    CAudioFilter(std::string inName, std::string outName,
                 CRequantizer requantizer = CRequantizer());

    // Recognises the input's format by its content and learns its sample format.
    // 0; -1 when the input cannot be opened or the output path names the input file
    // (also through another path or a link); -2 when no reader takes the input.
    int PrepareFiles();
    // 0; -1 when the files are not prepared, or the filter cannot run at unit peak
    // gain (UnitPeakGain) or is unstable, or not in the arithmetic (Quantize): ProblemFile()
    // is then empty, as the fault lies with the design, not with a sound file. f64 runs
    // the cascade divided by its peak gain (PrepareToRun); the others run it peak-scaled
    // as QuantizedFilter does, on the samples in the input's steps.
    int SetFilter(const Zpk& zpk, Arithmetic arithmetic = Arithmetic::F64);
    // Filters all frames; the output appears at its path only when the run succeeds.
    // 0; -1 when not ready, a file cannot be opened or the output cannot be written;
    // -2 when the input's headers or samples cannot be read as they claim; -3 when the
    // callback stopped the run. The callback may be empty.
    int ProcessFile(const ProgressCallback& callback);

    // The input's format, known after PrepareFiles.
    const CSampleCoding& GetCoding() const { return mCoding; }
    int GetChannels() const { return mChannels; }
    uint32_t GetSampleRate() const { return sampleRate; }
    // The divisor of every output sample, known after SetFilter.
    double GetScaleValue() const { return mScaleValue; }
    // Integer output samples that saturated during the run.
    int64_t ClippedCount() const { return mClipped; }
    // Sections that saturated or wrapped during the run (QuantizedFilter), 0 for f64.
    int64_t OverflowCount() const { return mQuantized.Overflows(); }
    // What the reader repaired to read the input, or empty.
    const std::string& Warning() const { return mWarning; }
    // After a run: how the output's frame count differs from the input's, or empty.
    const std::string& OutputWarning() const { return mOutputWarning; }

    const std::string& ProblemFile() const { return mProblemFile; }
    const std::string& Problem() const { return mProblem; }

private:
    int Fail(int code, const std::string& file, std::string reason);
    // Runs the reader into the writer, both open; a result of ProcessFile.
    int CopyThrough(const ProgressCallback& callback);
    // Reads the finished output's frame count back where it can.
    void CheckOutputLength();

    FSectionFilter mFilter;
    // Runs instead of mFilter for the arithmetics other than f64.
    QuantizedFilter mQuantized;
    bool mRunsQuantized = false;
    CRequantizer mRequantizer;
    std::unique_ptr<CAudioInFile> mInFile;
    std::unique_ptr<CAudioOutFile> mOutFile;
    std::string mInName;
    std::string mOutName;
    CSampleCoding mCoding;
    int mChannels = 1;
    uint32_t sampleRate = 0;
    double mScaleValue = 1.0;
    int64_t mClipped = 0;
    // 0 nothing done, 1 files prepared, 2 filter set.
    int mFilePrepared = 0;
    int64_t mFramesIn = 0;
    std::string mWarning;
    std::string mOutputWarning;
    std::string mProblemFile;
    std::string mProblem;
};
