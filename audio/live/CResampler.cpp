#include "audio/live/CResampler.h"

#include <samplerate.h>

#include <cmath>

bool CResampler::Convert(const std::vector<float>& in, std::size_t channels, double ratio,
                         std::vector<float>* out, std::string* problem) {
    const std::size_t frames = channels == 0 ? 0 : in.size() / channels;
    const auto room = static_cast<std::size_t>(std::ceil(static_cast<double>(frames) * ratio)) + 1;
    out->assign(room * channels, 0.0f);
    SRC_DATA data{};
    data.data_in = in.data();
    data.data_out = out->data();
    data.input_frames = static_cast<long>(frames);
    data.output_frames = static_cast<long>(room);
    data.src_ratio = ratio;
    // The medium converter keeps the band to about 90 % of the lower Nyquist frequency
    // at a fraction of the best one's time, which a whole clip needs before it plays.
    const int error = src_simple(&data, SRC_SINC_MEDIUM_QUALITY, static_cast<int>(channels));
    if (error != 0) {
        out->clear();
        *problem = std::string("cannot resample: ") + src_strerror(error);
        return false;
    }
    out->resize(static_cast<std::size_t>(data.output_frames_gen) * channels);
    return true;
}
