#include "audio/CAudioFilter.h"

#include "analysis/PeakGain.h"
#include "audio/AIFF.h"
#include "audio/CAIFFin.h"
#include "audio/CAIFFout.h"
#include "audio/CWAVin.h"
#include "audio/CWAVout.h"
#include "audio/WAV.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr long kFramesPerReport = 2500;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// True when both paths name one existing file, through links or not.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

CAudioFilter::CAudioFilter(std::string inName, std::string outName)
    : mInName(std::move(inName)), mOutName(std::move(outName)) {}

int CAudioFilter::Fail(int code, const std::string& file, std::string reason) {
    mProblemFile = file;
    mProblem = std::move(reason);
    return code;
}

int CAudioFilter::PrepareFiles() {
    std::unique_ptr<std::FILE, FileCloser> probe(std::fopen(mInName.c_str(), "rb"));
    if (probe == nullptr) {
        return Fail(-1, mInName, std::string("cannot open: ") + std::strerror(errno));
    }
    std::array<uint8_t, 12> head{};
    if (ReadAIFFHead(probe.get(), head) != 0) {
        mType = typeAIFF;
    } else {
        std::rewind(probe.get());
        mType = ReadWAVHead(probe.get(), head) != 0 ? typeWAV : typeNone;
    }
    probe.reset();
    if (mType == typeNone) {
        return Fail(-2, mInName, "neither a WAV nor an AIFF file");
    }
    if (SameFile(mInName, mOutName)) {
        return Fail(-1, mOutName, "the output would overwrite the input file");
    }
    if (mType == typeAIFF) {
        mInFile = std::make_unique<CAIFFin>(mInName);
        mOutFile = std::make_unique<CAIFFout>(mOutName);
    } else {
        mInFile = std::make_unique<CWAVin>(mInName);
        mOutFile = std::make_unique<CWAVout>(mOutName);
    }
    if (mInFile->OpenFile() == -1) {
        return Fail(-1, mInName, mInFile->Problem());
    }
    // Only the format is wanted here; ProcessFile reads the headers again and reports
    // what is wrong with them.
    std::vector<uint8_t> piece;
    mInFile->ReadHeadInfo(&piece);
    mInFile->ReadMiddleInfo(&piece);
    sampleSize = mInFile->GetSampleSize();
    sampleRate = mInFile->GetSampleRate();
    isStereo = mInFile->IsStereo();
    mInFile->CloseFile();
    mFilePrepared = 1;
    return 0;
}

int CAudioFilter::SetFilter(const FNodeList* list) {
    if (list == nullptr || mFilePrepared == 0) {
        return Fail(-1, mInName, "the files are not prepared");
    }
    // A failed call leaves no half-set filter for ProcessFile to run.
    mFilePrepared = 1;
    if (!mInputResponse.Initialize(list, isStereo ? 2 : 1)) {
        return Fail(-1, mInName, "the design is not causal");
    }
    const double peak = TruePeakGain(FRootSet(*list));
    // Dividing by a zero or non-finite peak would turn every sample into noise or NaN.
    if (!(peak > 0.0 && std::isfinite(peak))) {
        return Fail(-1, mInName, "the design's peak gain is 0 or not finite");
    }
    mScaleValue = peak;
    mFilePrepared = 2;
    return 0;
}

int CAudioFilter::ProcessFile(const ProgressCallback& callback) {
    if (mInFile == nullptr || mOutFile == nullptr || mFilePrepared != 2) {
        return Fail(-1, mInName, "the files or the filter are not ready");
    }
    if (mInFile->OpenFile() == -1) {
        return Fail(-1, mInName, mInFile->Problem());
    }
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
    return 0;
}

int CAudioFilter::CopyThrough(const ProgressCallback& callback) {
    CAudioInFile& in = *mInFile;
    CAudioOutFile& out = *mOutFile;
    std::vector<uint8_t> piece;
    if (in.ReadHeadInfo(&piece) < 1) {
        return Fail(-2, mInName, in.Problem());
    }
    if (out.WriteHeadInfo(piece) != 0) {
        return Fail(-1, mOutName, out.Problem());
    }
    const long middle = in.ReadMiddleInfo(&piece);
    if (middle < 0) {
        return Fail(-2, mInName, in.Problem());
    }
    if (middle > 0 && out.WriteMiddleInfo(piece) != 0) {
        return Fail(-1, mOutName, out.Problem());
    }
    if (in.ReadDataHeader(&piece) < 1) {
        return Fail(-2, mInName, in.Problem());
    }
    if (out.WriteDataHeader(piece) != 0) {
        return Fail(-1, mOutName, out.Problem());
    }
    // The filter was made for the channel count seen by PrepareFiles.
    if (in.IsStereo() != isStereo) {
        return Fail(-2, mInName, "the file changed since it was prepared");
    }
    out.SetSampleSize(in.GetSampleSize());
    out.SetStereo(in.IsStereo());

    // Frames go through in blocks of one report's worth: the filter then runs in a
    // tight loop, and the reports come after the same frames as frame by frame.

    const int64_t total = in.GetFrameCount();
    std::vector<tSample> frames(kFramesPerReport);
    for (;;) {
        const long count = in.GetNextSamples(frames.data(), kFramesPerReport);
        if (count < 0) {
            return Fail(-2, mInName, in.Problem());
        }
        const auto n = static_cast<size_t>(count);
        mInputResponse.Filter(frames.data(), n, mScaleValue);
        if (out.PutNextSamples(frames.data(), n) != 0) {
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
    if (trailer > 0 && out.PutPadding(piece) != 0) {
        return Fail(-1, mOutName, out.Problem());
    }
    return 0;
}
