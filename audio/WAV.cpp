#include "audio/WAV.h"

#include "audio/CAudioFile.h"
#include "audio/FileUtils.h"

#include <cstring>

namespace {

constexpr std::size_t kFormatBodyBytes = 16;
constexpr std::size_t kExtensibleBodyBytes = 40;
constexpr uint16_t kTagPCM = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
// The subformat identifier of an extensible format is the plain format tag followed
// by these fourteen bytes.
constexpr uint8_t kSubformatSuffix[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                          0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

} // namespace

int64_t ReadWAVHead(ByteSource& source, std::array<uint8_t, 12>& head) {
    if (!source.Read(head.data(), 4) || bec2l(head.data()) != FourCC("RIFF") ||
        !source.Read(head.data() + 4, 8) || bec2l(head.data() + 8) != FourCC("WAVE")) {
        return -1;
    }
    return lec2l(head.data() + 4);
}

bool ParseWAVFormat(const uint8_t* body, std::size_t size, WAVFormat* format, std::string* why) {
    if (size < kFormatBodyBytes) {
        *why = "the \"fmt \" chunk is shorter than its fields";
        return false;
    }
    uint16_t tag = lec2s(body);
    const int channels = lec2s(body + 2);
    const int blockAlign = lec2s(body + 12);
    const int bits = lec2s(body + 14);
    if (tag == kTagExtensible) {
        if (size < kExtensibleBodyBytes ||
            std::memcmp(body + 26, kSubformatSuffix, sizeof kSubformatSuffix) != 0) {
            *why = "the extensible format names no known subformat";
            return false;
        }
        tag = lec2s(body + 24);
    }
    if (channels < 1 || channels > CAudioFile::kMaxChannels) {
        *why = std::to_string(channels) + " channels";
        return false;
    }
    if (tag == kTagPCM && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        format->coding =
            bits == 8 ? CSampleCoding::UnsignedByte() : CSampleCoding::Integer(bits, false);
    } else if (tag == kTagFloat && (bits == 32 || bits == 64)) {
        format->coding = CSampleCoding::Float(bits, false);
    } else {
        *why =
            tag == kTagPCM || tag == kTagFloat
                ? std::to_string(bits) + "-bit " + (tag == kTagPCM ? "PCM" : "float") + " samples"
                : "samples coded as format " + std::to_string(tag);
        return false;
    }
    if (blockAlign != channels * bits / 8) {
        *why = "the \"fmt \" chunk's frame size does not match its channels and bits";
        return false;
    }
    format->channels = channels;
    format->rate = lec2l(body + 4);
    return true;
}
