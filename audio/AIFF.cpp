#include "audio/AIFF.h"

#include "audio/CAudioFile.h"
#include "audio/FileUtils.h"
#include "core/Printable.h"

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
        const auto* t = reinterpret_cast<const char*>(body + kCommBodyBytes);
        *why = aifc && lower != FourCC("none") && type != FourCC("twos") && type != FourCC("sowt")
                   ? "samples compressed as \"" + Printable(std::string_view(t, 4)) + "\""
                   : std::to_string(bits) + "-bit samples";
        return false;
    }
    format->channels = channels;
    format->rate = RateFromExtended(GetAppleExtended(body + 8));
    return true;
}
