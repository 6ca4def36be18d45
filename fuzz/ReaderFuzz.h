#pragma once

#include "audio/CAudioInFile.h"

#include <vector>

// Takes a reader through everything it hands out, as the filter driver does; every
// result must be a result, whatever the bytes. A piece of length 0 is no piece (the
// general library's reader hands out none).
inline void ReadEverything(CAudioInFile& reader) {
    std::vector<uint8_t> piece;
    if (reader.OpenFile() != 0 || reader.ReadHeadInfo(&piece) < 0 ||
        reader.ReadMiddleInfo(&piece) < 0 || reader.ReadDataHeader(&piece) < 0) {
        return;
    }
    std::vector<double> samples(1000 * static_cast<size_t>(reader.GetChannels()));
    while (reader.ReadFrames(samples.data(), 1000) == 1000) {
    }
    reader.GetPadding(&piece);
}
