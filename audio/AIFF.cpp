#include "audio/AIFF.h"

#include "audio/FileUtils.h"

#include <cmath>

namespace {

// Channels (2), frame count (4), bits per sample (2) and the rate (10).
constexpr uint32_t kCommBodyBytes = 18;
constexpr int64_t kCommBytes = 8 + kCommBodyBytes;

uint32_t RateFromExtended(double rate) {
    // Negated comparison so that NaN also lands in the "no usable rate" branch.
    if (!(rate >= 0.0 && rate < 4294967296.0)) {
        return 0;
    }
    return static_cast<uint32_t>(rate);
}

} // namespace

int64_t ReadAIFFHead(std::FILE* stream, std::array<uint8_t, 12>& head) {
    if (!ReadExactly(stream, head.data(), head.size()) || bec2l(head.data()) != FourCC("FORM") ||
        bec2l(head.data() + 8) != FourCC("AIFF")) {
        return 0;
    }
    return OddPad(bec2l(head.data() + 4));
}

int GetAIFFFormat(std::FILE* stream, uint32_t* rate) {
    if (BytesLeft(stream) < kCommBytes || GetBigLong(stream) != FourCC("COMM")) {
        return -1;
    }
    if (GetBigLong(stream) < kCommBodyBytes) {
        return -1;
    }
    const uint16_t channels = GetBigShort(stream);
    if (channels != 1 && channels != 2) {
        return -2;
    }
    GetBigLong(stream); // the frame count follows from the SSND size
    const auto bits = static_cast<int16_t>(GetBigShort(stream));
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return -3;
    }
    std::array<uint8_t, 10> extended{};
    if (!ReadExactly(stream, extended.data(), extended.size()) || !Skip(stream, -kCommBytes)) {
        return -1;
    }
    *rate = RateFromExtended(GetAppleExtended(extended.data()));
    return 1 << (bits / 8 - 1) | (channels == 2 ? 16 : 0);
}

int64_t ReadAIFFDataHeader(std::FILE* stream, std::array<uint8_t, 16>& header) {
    if (GetNextChunkType(stream) != FourCC("SSND") || BytesLeft(stream) < 16 ||
        !ReadExactly(stream, header.data(), header.size())) {
        return -1;
    }
    const int64_t size = bec2l(header.data() + 4);
    if (size < 8) {
        Skip(stream, -16);
        return -1;
    }
    return size - 8;
}

int64_t GetAChunkSize(std::FILE* stream) {
    std::array<uint8_t, 8> header{};
    if (BytesLeft(stream) < 8 || !ReadExactly(stream, header.data(), header.size()) ||
        !Skip(stream, -8)) {
        return -1;
    }
    return OddPad(bec2l(header.data() + 4));
}

uint32_t GetNextChunkType(std::FILE* stream) {
    std::array<uint8_t, 4> id{};
    if (BytesLeft(stream) < 4 || !ReadExactly(stream, id.data(), id.size()) || !Skip(stream, -4)) {
        return 0;
    }
    return bec2l(id.data());
}

bool IsListedAIFFChunk(uint32_t id) {
    for (const uint32_t listed :
         {FourCC("(c) "), FourCC("AESD"), FourCC("ANNO"), FourCC("APPL"), FourCC("AUTH"),
          FourCC("COMT"), FourCC("INST"), FourCC("MARK"), FourCC("MIDI"), FourCC("NAME")}) {
        if (id == listed) {
            return true;
        }
    }
    return false;
}
