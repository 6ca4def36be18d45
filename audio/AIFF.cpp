#include "audio/AIFF.h"

#include "audio/CAudioFile.h"
#include "audio/FileUtils.h"

#include <cmath>

namespace {

// Channels (2), frame count (4), bits per sample (2) and the rate (10).
constexpr std::size_t kCommBodyBytes = 18;

uint32_t RateFromExtended(double rate) {
    // Negated comparison so that NaN also lands in the "no usable rate" branch.
    if (!(rate >= 0.0 && rate < 4294967296.0)) {
        return 0;
    }
    return static_cast<uint32_t>(rate);
}

} // namespace

int64_t ReadAIFFHead(ByteSource& source, std::array<uint8_t, 12>& head) {
    if (!source.Read(head.data(), head.size()) || bec2l(head.data()) != FourCC("FORM") ||
        (bec2l(head.data() + 8) != FourCC("AIFF") && bec2l(head.data() + 8) != FourCC("AIFC"))) {
        return 0;
    }
    return OddPad(bec2l(head.data() + 4));
}

bool ParseAIFFFormat(const uint8_t* body, std::size_t size, bool aifc, AIFFFormat* format,
                     std::string* why) {
    if (size < kCommBodyBytes + (aifc ? 4 : 0)) {
        *why = "the \"COMM\" chunk is cut short";
        return false;
    }
    const int channels = bec2s(body);
    const auto bits = static_cast<int16_t>(bec2s(body + 6));
    const uint32_t type = aifc ? bec2l(body + kCommBodyBytes) : FourCC("NONE");
    // The compression type's letter case varies between writers.
    const uint32_t lower = type | 0x20202020u;
    if (channels < 1 || channels > CAudioFile::kMaxChannels) {
        *why = std::to_string(channels) + " channels";
        return false;
    }
    if (lower == FourCC("fl32") || lower == FourCC("fl64")) {
        format->coding = CSampleCoding::Float(lower == FourCC("fl32") ? 32 : 64, true);
    } else if ((lower == FourCC("none") || type == FourCC("twos") || type == FourCC("sowt")) &&
               (bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        format->coding = CSampleCoding::Integer(bits, type != FourCC("sowt"));
    } else {
        const uint8_t* t = body + kCommBodyBytes;
        *why = aifc && lower != FourCC("none") && type != FourCC("twos") && type != FourCC("sowt")
                   ? "samples compressed as \"" + std::string(t, t + 4) + "\""
                   : std::to_string(bits) + "-bit samples";
        return false;
    }
    format->channels = channels;
    format->rate = RateFromExtended(GetAppleExtended(body + 8));
    return true;
}

int64_t ReadAIFFDataHeader(ByteSource& source, std::array<uint8_t, 16>& header) {
    const int64_t start = source.Position();
    if (GetNextChunkType(source) != FourCC("SSND") || source.Left() < 16 ||
        !source.Read(header.data(), header.size())) {
        return -1;
    }
    const int64_t size = bec2l(header.data() + 4);
    if (size < 8) {
        source.Seek(start);
        return -1;
    }
    return size - 8;
}

int64_t GetAChunkSize(ByteSource& source) {
    const int64_t start = source.Position();
    std::array<uint8_t, 8> header{};
    if (source.Left() < 8 || !source.Read(header.data(), header.size()) || !source.Seek(start)) {
        return -1;
    }
    return OddPad(bec2l(header.data() + 4));
}

uint32_t GetNextChunkType(ByteSource& source) {
    const int64_t start = source.Position();
    std::array<uint8_t, 4> id{};
    if (source.Left() < 4 || !source.Read(id.data(), id.size()) || !source.Seek(start)) {
        return 0;
    }
    return bec2l(id.data());
}
