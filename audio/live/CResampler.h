#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Converts interleaved sound from one sample rate to another, offline, with
// libsamplerate's band-limited sinc converter: the only class that knows the library.
class CResampler {
public:
    // The frames of in (channels interleaved) at ratio = new rate / old rate (1/256 to
    // 256) into *out, about ratio times as many frames. False with the reason in
    // *problem.
    static bool Convert(const std::vector<float>& in, std::size_t channels, double ratio,
                        std::vector<float>* out, std::string* problem);
};
