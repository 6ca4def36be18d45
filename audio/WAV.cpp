#include "audio/WAV.h"

#include "audio/FileUtils.h"

namespace {

constexpr int64_t kChunkHeaderBytes = 8;
constexpr uint32_t kFormatBodyBytes = 16;

// Appends count bytes read from the stream; false (chunk unchanged) on a short read.
bool AppendBytes(std::FILE* stream, std::vector<uint8_t>* chunk, int64_t count) {
    const size_t start = chunk->size();
    chunk->resize(start + static_cast<size_t>(count));
    if (!ReadExactly(stream, chunk->data() + start, static_cast<size_t>(count))) {
        chunk->resize(start);
        return false;
    }
    return true;
}

// The identifier and size of the next chunk without consuming them; false when fewer
// than 8 bytes are left.
bool PeekChunkHeader(std::FILE* stream, uint32_t* id, uint32_t* size) {
    std::array<uint8_t, 8> header{};
    if (BytesLeft(stream) < kChunkHeaderBytes ||
        !ReadExactly(stream, header.data(), header.size()) || !Skip(stream, -kChunkHeaderBytes)) {
        return false;
    }
    *id = bec2l(header.data());
    *size = lec2l(header.data() + 4);
    return true;
}

} // namespace

int64_t ReadWAVHead(std::FILE* stream, std::array<uint8_t, 12>& head) {
    if (!ReadExactly(stream, head.data(), 4) || bec2l(head.data()) != FourCC("RIFF") ||
        !ReadExactly(stream, head.data() + 4, 8) || bec2l(head.data() + 8) != FourCC("WAVE")) {
        return 0;
    }
    return lec2l(head.data() + 4);
}

int ReadWAVFormat(std::FILE* stream, std::vector<uint8_t>* chunk, uint32_t* rate) {
    uint32_t id = 0;
    uint32_t size = 0;
    if (!PeekChunkHeader(stream, &id, &size) || id != FourCC("fmt ") || size < kFormatBodyBytes ||
        kChunkHeaderBytes + OddPad(size) > BytesLeft(stream) ||
        !AppendBytes(stream, chunk, kChunkHeaderBytes + OddPad(size))) {
        return -1;
    }
    const uint8_t* body = chunk->data() + chunk->size() - OddPad(size);
    if (lec2s(body) != 1) {
        return -2;
    }
    const uint16_t channels = lec2s(body + 2);
    if (channels != 1 && channels != 2) {
        return -3;
    }
    *rate = lec2l(body + 4);
    const uint16_t bits = lec2s(body + 14);
    if (bits != 8 && bits != 16) {
        return -3;
    }
    return (bits == 16 ? 1 : 0) | (channels == 2 ? 2 : 0);
}

bool NextChunkisData(std::FILE* stream) {
    uint32_t id = 0;
    uint32_t size = 0;
    return PeekChunkHeader(stream, &id, &size) && id == FourCC("data");
}

int64_t GetNextChunkSize(std::FILE* stream) {
    uint32_t id = 0;
    uint32_t size = 0;
    return PeekChunkHeader(stream, &id, &size) ? static_cast<int64_t>(size) : -1;
}

bool ReadWChunk(std::FILE* stream, std::vector<uint8_t>* chunk) {
    const int64_t size = GetNextChunkSize(stream);
    return size >= 0 && kChunkHeaderBytes + OddPad(size) <= BytesLeft(stream) &&
           AppendBytes(stream, chunk, kChunkHeaderBytes + OddPad(size));
}

int64_t ReadWDataHeader(std::FILE* stream, std::array<uint8_t, 8>& header) {
    if (!NextChunkisData(stream) || !ReadExactly(stream, header.data(), header.size())) {
        return -1;
    }
    return lec2l(header.data() + 4);
}
