#include "audio/CAIFFin.h"

#include "audio/AIFF.h"
#include "audio/FileUtils.h"

#include <array>

namespace {

constexpr int64_t kHeadBytes = 12;
// Offsets within the form count from the form type at file offset 8, so the first
// chunk stands at offset 4 and the form ends at offset mFileLength.
constexpr int64_t kFormStart = 8;
constexpr int64_t kFirstChunkOffset = 4;

} // namespace

long CAIFFin::ReadHeadInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    std::array<uint8_t, 12> head{};
    mFileLength = Source().Seek(0) ? ReadAIFFHead(Source(), head) : 0;
    if (mFileLength == 0) {
        return Fail(-1, "not an AIFF file");
    }
    mCompressed = bec2l(head.data() + 8) == FourCC("AIFC");
    // A missing pad byte at the very end is tolerated: the writer supplies one.
    if (kFormStart + bec2l(head.data() + 4) > RealLength()) {
        return Fail(-1, "the FORM chunk runs past the end of the file");
    }
    piece->assign(head.begin(), head.end());
    return kHeadBytes;
}

long CAIFFin::ReadMiddleInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    const long result = WalkForm(piece);
    if (result < 0) {
        piece->clear();
    }
    return result;
}

long CAIFFin::WalkForm(std::vector<uint8_t>* piece) {
    ByteSource& source = Source();
    bool haveFormat = false;
    int soundChunks = 0;
    // Every step moves at least one chunk header forward, so the walk ends.
    for (int64_t offset = kFirstChunkOffset; offset < mFileLength;) {
        if (!source.Seek(kFormStart + offset)) {
            return Fail(-2, "the file cannot be read");
        }
        const uint32_t id = GetNextChunkType(source);
        const int64_t size = GetAChunkSize(source);
        if (size < 0 || offset + 8 + size > mFileLength) {
            return Fail(-2, "a chunk runs past the end of the FORM");
        }
        if (id == FourCC("SSND")) {
            if (++soundChunks > 1) {
                return Fail(-3, "more than one \"SSND\" chunk");
            }
        } else if (!AppendPiece(kFormStart + offset, 8 + size, piece)) {
            return Fail(-2, Problem());
        } else if (id == FourCC("COMM")) {
            AIFFFormat format;
            std::string why;
            if (haveFormat ||
                !ParseAIFFFormat(piece->data() + piece->size() - size, static_cast<size_t>(size),
                                 mCompressed, &format, &why)) {
                return Fail(-1, haveFormat ? "two \"COMM\" chunks" : why);
            }
            SetFormat(format.coding, format.channels);
            mSampleRate = format.rate;
            haveFormat = true;
        }
        offset += 8 + size;
    }
    if (!haveFormat || soundChunks == 0) {
        return Fail(-3, !haveFormat ? "no \"COMM\" chunk" : "no \"SSND\" chunk");
    }
    return static_cast<long>(piece->size());
}

long CAIFFin::ReadDataHeader(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    ByteSource& source = Source();
    int64_t offset = kFirstChunkOffset;
    if (!source.Seek(kFormStart + offset)) {
        return Fail(-1, "the file cannot be read");
    }
    while (GetNextChunkType(source) != FourCC("SSND")) {
        const int64_t size = GetAChunkSize(source);
        if (size < 0 || offset + 8 + size >= mFileLength) {
            return Fail(-1, "no \"SSND\" chunk");
        }
        offset += 8 + size;
        if (!source.Seek(kFormStart + offset)) {
            return Fail(-1, "the file cannot be read");
        }
    }
    std::array<uint8_t, 16> header{};
    const int64_t size = ReadAIFFDataHeader(source, header);
    if (size < 0) {
        return Fail(-1, "the \"SSND\" chunk is cut short");
    }
    if (size > source.Left()) {
        return Fail(-1, "the \"SSND\" chunk runs past the end of the file");
    }
    StartData(size);
    mPadding = size % 2 != 0;
    piece->assign(header.begin(), header.end());
    return static_cast<long>(piece->size());
}

long CAIFFin::GetPadding(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    // Bytes of a last frame cut short are samples too: they are not passed on unfiltered.
    piece->assign(static_cast<size_t>(DataStart() + mDataLength - WholeFramesEnd()), 0);
    if (mPadding) {
        piece->push_back(0);
    }
    return static_cast<long>(piece->size());
}
