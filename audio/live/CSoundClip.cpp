#include "audio/live/CSoundClip.h"

#include "audio/OpenSoundFile.h"
#include "audio/live/CResampler.h"

#include <vector>

namespace {

// Beyond this a clip would take more memory than a loop to listen to deserves.
constexpr std::size_t kMaxSamples = std::size_t{1} << 26;
constexpr long kBlockFrames = 4096;

} // namespace

int CSoundClip::Load(const std::string& path) {
    int code = 0;
    std::unique_ptr<CAudioInFile> reader = OpenSoundFile(path, &code, &mProblem);
    if (reader == nullptr) {
        return code;
    }
    std::vector<uint8_t> piece;
    if (reader->OpenFile() != 0 || reader->ReadHeadInfo(&piece) < 0 ||
        reader->ReadMiddleInfo(&piece) < 0 || reader->ReadDataHeader(&piece) < 0) {
        mProblem = reader->Problem();
        return -1;
    }
    const auto channels = static_cast<std::size_t>(reader->GetChannels());
    const CSampleCoding& coding = reader->GetCoding();
    // Integers are decoded in steps of their format, floats keep their value.
    const double scale = coding.IsFloat() ? 1.0 : -1.0 / coding.Lowest();
    std::vector<double> block(static_cast<std::size_t>(kBlockFrames) * channels);
    std::vector<float> samples;
    for (;;) {
        const long read = reader->ReadFrames(block.data(), kBlockFrames);
        if (read < 0) {
            mProblem = reader->Problem();
            return -1;
        }
        const std::size_t count = static_cast<std::size_t>(read) * channels;
        if (samples.size() + count > kMaxSamples) {
            mProblem = "too long to be held in memory for playing";
            return -1;
        }
        for (std::size_t i = 0; i < count; ++i) {
            samples.push_back(static_cast<float>(block[i] * scale));
        }
        if (read == 0) {
            break;
        }
    }
    mSamples = std::move(samples);
    mChannels = channels;
    mRate = reader->GetSampleRate();
    return 0;
}

bool CSoundClip::Resample(uint32_t rate) {
    std::vector<float> converted;
    if (mRate == 0 || !CResampler::Convert(mSamples, mChannels, static_cast<double>(rate) / mRate,
                                           &converted, &mProblem)) {
        return false;
    }
    mSamples = std::move(converted);
    mRate = rate;
    return true;
}
