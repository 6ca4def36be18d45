#include "audio/CWAVin.h"

#include "audio/FileUtils.h"
#include "audio/WAV.h"

#include <array>

namespace {

constexpr int kMaxMiddleChunks = 10;

} // namespace

long CWAVin::ReadHeadInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    std::rewind(Stream());
    std::array<uint8_t, 12> head{};
    mFileLength = ReadWAVHead(Stream(), head);
    if (mFileLength == 0) {
        return Fail(-1, "not a WAV file");
    }
    piece->assign(head.begin(), head.end());
    const int format = ReadWAVFormat(Stream(), piece, &mSampleRate);
    if (format < 0) {
        piece->clear();
        return Fail(-1, format == -1   ? "no usable \"fmt \" chunk after the RIFF head"
                        : format == -2 ? "the samples are not integer PCM"
                                       : "only 8- or 16-bit PCM in mono or stereo can be filtered");
    }
    SetFormat((format & 1) != 0 ? 2 : 1, (format & 2) != 0);
    return static_cast<long>(piece->size());
}

long CWAVin::ReadMiddleInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    for (int held = 0; !NextChunkisData(Stream()); ++held) {
        if (held == kMaxMiddleChunks) {
            piece->clear();
            return Fail(-2, "more than ten chunks stand before the \"data\" chunk");
        }
        const int64_t size = GetNextChunkSize(Stream());
        if (size < 0) {
            piece->clear();
            return Fail(-1, "no \"data\" chunk");
        }
        if (static_cast<int64_t>(piece->size()) + 8 + OddPad(size) > kMaxPieceBytes) {
            piece->clear();
            return Fail(-1, "the chunks before the data are larger than 64 MiB");
        }
        if (!ReadWChunk(Stream(), piece)) {
            piece->clear();
            return Fail(-1, "a chunk runs past the end of the file");
        }
    }
    return static_cast<long>(piece->size());
}

long CWAVin::ReadDataHeader(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    std::array<uint8_t, 8> header{};
    const int64_t size = ReadWDataHeader(Stream(), header);
    if (size < 0) {
        return Fail(-1, "no \"data\" chunk where one was expected");
    }
    if (size > BytesLeft(Stream())) {
        return Fail(-1, "the \"data\" chunk runs past the end of the file");
    }
    StartData(size);
    piece->assign(header.begin(), header.end());
    return static_cast<long>(piece->size());
}

void CWAVin::DecodeFrames(const uint8_t* bytes, tSample* frames, size_t count) const {
    // 8-bit WAV samples are unsigned with 128 as zero; 16-bit ones two's complement.
    if (mSampleSize == 1) {
        DecodeEach(bytes, frames, count, [](const uint8_t* b) { return (b[0] - 128) * (1 << 24); });
    } else {
        DecodeEach(bytes, frames, count,
                   [](const uint8_t* b) { return static_cast<int16_t>(lec2s(b)) * (1 << 16); });
    }
}

long CWAVin::GetPadding(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    const int64_t start = WholeFramesEnd();
    if (!AppendPiece(start, RealLength() - start, piece)) {
        return -1;
    }
    return static_cast<long>(piece->size());
}
