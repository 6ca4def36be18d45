#include "audio/CSoundClip.h"

#include "audio/AIFF.h"
#include "audio/CAIFFin.h"
#include "audio/CWAVin.h"
#include "audio/WAV.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Beyond this a clip would take more memory than a loop to listen to deserves.
constexpr std::size_t kMaxSamples = std::size_t{1} << 26;
constexpr double kFullScale = 2147483648.0;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

int CSoundClip::Load(const std::string& path) {
    std::unique_ptr<CAudioInFile> reader;
    {
        std::unique_ptr<std::FILE, FileCloser> probe(std::fopen(path.c_str(), "rb"));
        if (probe == nullptr) {
            mProblem = std::string("cannot open: ") + std::strerror(errno);
            return -1;
        }
        std::array<uint8_t, 12> head{};
        if (ReadAIFFHead(probe.get(), head) != 0) {
            reader = std::make_unique<CAIFFin>(path);
        } else if (std::rewind(probe.get()), ReadWAVHead(probe.get(), head) != 0) {
            reader = std::make_unique<CWAVin>(path);
        } else {
            mProblem = "neither a WAV nor an AIFF file";
            return -2;
        }
    }
    std::vector<uint8_t> piece;
    if (reader->OpenFile() != 0 || reader->ReadHeadInfo(&piece) < 1 ||
        reader->ReadMiddleInfo(&piece) < 0 || reader->ReadDataHeader(&piece) < 1) {
        mProblem = reader->Problem();
        return -1;
    }
    const std::size_t channels = reader->IsStereo() ? 2 : 1;
    const auto frames = static_cast<std::size_t>(std::max<int64_t>(0, reader->GetFrameCount()));
    if (frames * channels > kMaxSamples) {
        mProblem = "too long to be held in memory for playing";
        return -1;
    }
    std::vector<tSample> samples(frames);
    const long read = reader->GetNextSamples(samples.data(), static_cast<long>(frames));
    if (read < 0) {
        mProblem = reader->Problem();
        return -1;
    }
    mSamples.resize(static_cast<std::size_t>(read) * channels);
    for (std::size_t f = 0; f < static_cast<std::size_t>(read); ++f) {
        mSamples[f * channels] = static_cast<float>(samples[f].left / kFullScale);
        if (channels == 2) {
            mSamples[f * channels + 1] = static_cast<float>(samples[f].right / kFullScale);
        }
    }
    mChannels = channels;
    mRate = reader->GetSampleRate();
    return 0;
}
