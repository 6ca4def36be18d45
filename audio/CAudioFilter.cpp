#include "audio/CAudioFilter.h"

#include "audio/OpenSoundFile.h"
#include "run/RunnableDesign.h"

#include <cmath>
#include <cstdint>
#include <sys/stat.h>

namespace {

constexpr long kFramesPerReport = 2500;

// True when both paths name one existing file, through links or not.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

CAudioFilter::CAudioFilter(std::string inName, std::string outName, CRequantizer requantizer)
    : mRequantizer(requantizer), mInName(std::move(inName)), mOutName(std::move(outName)) {}

int CAudioFilter::Fail(int code, const std::string& file, std::string reason) {
    mProblemFile = file;
    mProblem = std::move(reason);
    return code;
}

int CAudioFilter::PrepareFiles() {
    // Standard output may have been sent to the input file itself.
    if (SameFile(mInName == "-" ? "/dev/stdin" : mInName,
                 mOutName == "-" ? "/dev/stdout" : mOutName)) {
        return Fail(-1, mOutName, "the output would overwrite the input file");
    }
    int code = 0;
    std::string problem;
    mInFile = OpenSoundFile(mInName, &code, &problem);
    if (mInFile == nullptr) {
        return Fail(code, mInName, problem);
    }
    mCoding = mInFile->GetCoding();
    mChannels = mInFile->GetChannels();
    sampleRate = mInFile->GetSampleRate();
    mWarning = mInFile->Warning();
    mFilePrepared = 1;
    return 0;
}

int CAudioFilter::SetFilter(const Zpk& zpk, Arithmetic arithmetic) {
    if (mFilePrepared == 0) {
        return Fail(-1, mInName, "the files are not prepared");
    }
    // A failed call leaves no half-set filter for ProcessFile to run.
    mFilePrepared = 1;
    const RunnableDesign design = PrepareToRun(zpk);
    if (design.problem != RunProblem::None) {
        return Fail(-1, "", RunProblemText(design));
    }
    mRunsQuantized = arithmetic != Arithmetic::F64;
    if (mRunsQuantized) {
        const QuantizedCascade quantized = Quantize(zpk, arithmetic);
        if (quantized.problem != QuantizeProblem::None) {
            return Fail(-1, "", QuantizeProblemText(quantized.problem, arithmetic));
        }
        if (!mQuantized.Initialize(quantized, mChannels, mCoding.IsFloat() ? 0 : mCoding.Bits())) {
            return Fail(-1, mInName, "the channels cannot be filtered");
        }
    } else if (!mFilter.Initialize(design.cascade, mChannels)) {
        return Fail(-1, mInName, "the channels cannot be filtered");
    }
    mScaleValue = design.peak;
    mFilePrepared = 2;
    return 0;
}

int CAudioFilter::ProcessFile(const ProgressCallback& callback) {
    if (mInFile == nullptr || mFilePrepared != 2) {
        return Fail(-1, mInName, "the files or the filter are not ready");
    }
    if (mInFile->OpenFile() == -1) {
        return Fail(-1, mInName, mInFile->Problem());
    }
    mOutFile = mInFile->MakeWriter(mOutName);
    if (mOutFile->OpenFile() == -1) {
        mInFile->CloseFile();
        return Fail(-1, mOutName, mOutFile->Problem());
    }
    const int result = CopyThrough(callback);
    mInFile->CloseFile();
    if (result != 0) {
        mOutFile->DiscardFile();
        return result;
    }
    if (mOutFile->CloseFile() != 0) {
        return Fail(-1, mOutName, mOutFile->Problem());
    }
    CheckOutputLength();
    return 0;
}

void CAudioFilter::CheckOutputLength() {
    // Some codings are written in whole blocks of the writer's own size (ADPCM, GSM);
    // only the finished file tells. What is not a regular file cannot be read back.
    struct stat st {};
    int code = 0;
    std::string problem;
    if (stat(mOutName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return;
    }
    const std::unique_ptr<CAudioInFile> written = OpenSoundFile(mOutName, &code, &problem);
    if (written != nullptr && written->GetFrameCount() != mFramesIn) {
        mOutputWarning = "the output holds " + std::to_string(written->GetFrameCount()) +
                         " frames, the input " + std::to_string(mFramesIn) +
                         ": its coding is written in whole blocks, the last filled out with "
                         "silence";
    }
}

int CAudioFilter::CopyThrough(const ProgressCallback& callback) {
    CAudioInFile& in = *mInFile;
    CAudioOutFile& out = *mOutFile;
    std::vector<uint8_t> piece;
    // Each header piece is written when there is one; a reader through the general
    // library has none.
    for (auto read : {&CAudioInFile::ReadHeadInfo, &CAudioInFile::ReadMiddleInfo,
                      &CAudioInFile::ReadDataHeader}) {
        const long length = (in.*read)(&piece);
        if (length < 0) {
            return Fail(-2, mInName, in.Problem());
        }
        if (length > 0 && out.WritePiece(piece) != 0) {
            return Fail(-1, mOutName, out.Problem());
        }
    }
    // The filter was made for the format seen by PrepareFiles.
    if (in.GetChannels() != mChannels || in.GetCoding().Bits() != mCoding.Bits() ||
        in.GetCoding().IsFloat() != mCoding.IsFloat()) {
        return Fail(-2, mInName, "the file changed since it was prepared");
    }

    // Frames go through in blocks of one report's worth: the filter then runs in a
    // tight loop, and the reports come after the same frames as frame by frame.
    const int64_t total = in.GetFrameCount();
    mFramesIn = total;
    const auto channels = static_cast<size_t>(mChannels);
    std::vector<double> samples(kFramesPerReport * channels);
    mClipped = 0;
    for (;;) {
        const long count = in.ReadFrames(samples.data(), kFramesPerReport);
        if (count < 0) {
            return Fail(-2, mInName, in.Problem());
        }
        const auto n = static_cast<size_t>(count);
        if (mRunsQuantized) {
            mQuantized.Process(samples.data(), n);
        } else {
            mFilter.Process(samples.data(), n);
        }
        // Fixed point into samples at least a word long leaves whole steps in range.
        if (!mCoding.IsFloat() && !(mRunsQuantized && mQuantized.OutputsWholeSteps())) {
            mClipped += static_cast<int64_t>(mRequantizer.Apply(
                samples.data(), n * channels, mCoding.Lowest(), mCoding.Highest()));
        }
        if (out.PutFrames(samples.data(), n) != 0) {
            return Fail(-1, mOutName, out.Problem());
        }
        if (count < kFramesPerReport) {
            break;
        }
        // 64-bit arithmetic: the frames left times 100 overflow 32 bits for long files.
        const int64_t left = in.GetFrameCount();
        if (callback && callback(static_cast<int>(100 - left * 100 / total)) != 0) {
            return Fail(-3, mOutName, "stopped; no file written");
        }
    }
    const long trailer = in.GetPadding(&piece);
    if (trailer < 0) {
        return Fail(-2, mInName, in.Problem());
    }
    if (trailer > 0 && out.WritePiece(piece) != 0) {
        return Fail(-1, mOutName, out.Problem());
    }
    return 0;
}
