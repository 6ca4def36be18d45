#include "audio/CWAVin.h"

#include "audio/FileUtils.h"
#include "audio/WAV.h"
#include "core/Printable.h"

#include <algorithm>

namespace {

constexpr int64_t kHeadBytes = 12;
constexpr int64_t kChunkHeaderBytes = 8;
// The RIFF and data size fields hold 32 bits.
constexpr int64_t kMaxSize = 0xFFFFFFFF;

std::string ChunkName(const uint8_t* id) {
    return "\"" + Printable(std::string_view(reinterpret_cast<const char*>(id), 4)) + "\"";
}

// "ds64" body: RIFF size, data size and frame count of 64 bits each, and a table
// length of 32 bits (no table).
constexpr uint32_t kDs64Bytes = 28;

void PutLittleLong(uint32_t v, uint8_t* b) {
    for (int i = 0; i < 4; ++i) {
        b[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

void PutLittleLong64(uint64_t v, uint8_t* b) {
    PutLittleLong(static_cast<uint32_t>(v), b);
    PutLittleLong(static_cast<uint32_t>(v >> 32), b + 4);
}

} // namespace

long CWAVin::ReadHeadInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    mMiddle.clear();
    mHeadRead = false;
    if (!CheckOpen()) {
        return -1;
    }
    std::array<uint8_t, 12> head{};
    mFileLength = Source().Seek(0) ? ReadWAVHead(Source(), head) : -1;
    if (mFileLength < 0) {
        return Fail(-1, "not a WAV file");
    }
    piece->assign(head.begin(), head.end());
    bool haveFormat = false;
    for (int64_t offset = kHeadBytes;;) {
        std::array<uint8_t, 8> header{};
        if (RealLength() - offset < kChunkHeaderBytes ||
            !Source().ReadAt(offset, header.data(), header.size())) {
            piece->clear();
            return Fail(-1, haveFormat ? "no \"data\" chunk" : "no \"fmt \" chunk");
        }
        const uint32_t id = bec2l(header.data());
        if (id == FourCC("data") && haveFormat) {
            const long result = FindData(offset, piece);
            if (result < 0) {
                piece->clear();
            }
            return result;
        }
        const int64_t size = OddPad(lec2l(header.data() + 4));
        std::vector<uint8_t>& target = haveFormat ? mMiddle : *piece;
        if (!AppendPiece(offset, kChunkHeaderBytes + size, &target)) {
            piece->clear();
            return Fail(-1, "the " + ChunkName(header.data()) + " chunk " + Problem());
        }
        if (id == FourCC("fmt ")) {
            WAVFormat format;
            std::string why;
            if (haveFormat || !ParseWAVFormat(target.data() + target.size() - size,
                                              static_cast<size_t>(size), &format, &why)) {
                piece->clear();
                return Fail(-1, haveFormat ? "two \"fmt \" chunks" : why);
            }
            SetFormat(format.coding, format.channels);
            mSampleRate = format.rate;
            haveFormat = true;
        }
        offset += kChunkHeaderBytes + size;
    }
}

long CWAVin::FindData(int64_t offset, std::vector<uint8_t>* head) {
    // The walk has just read these bytes.
    Source().ReadAt(offset, mDataHeader.data(), mDataHeader.size());
    mDataOffset = offset + kChunkHeaderBytes;
    const int64_t declared = lec2l(mDataHeader.data() + 4);
    const int64_t available = RealLength() - mDataOffset;
    // What follows data of a size the file backs is kept as it is, chunks or not (an
    // ID3 tag, say): only a recording never finished leaves a size that cannot be true.
    mFinished = declared != kMaxSize && (declared != 0 || available == 0) && declared <= available;
    if (mFinished) {
        mDataBytes = declared;
        mHeadRead = true;
        return static_cast<long>(head->size());
    }
    mDataBytes = available / mFrameSize * mFrameSize;
    const int64_t frames = mDataBytes / mFrameSize;
    const int64_t chunks = static_cast<int64_t>(head->size()) - kHeadBytes +
                           static_cast<int64_t>(mMiddle.size()) + kChunkHeaderBytes +
                           OddPad(mDataBytes);
    mWarning = "the recording was never finished (its data size says " + std::to_string(declared) +
               " bytes); its " + std::to_string(frames) + " frames up to the end are read";
    if (4 + chunks <= kMaxSize) {
        PutLittleLong(static_cast<uint32_t>(mDataBytes), mDataHeader.data() + 4);
        PutLittleLong(static_cast<uint32_t>(4 + chunks), head->data() + 4);
    } else {
        // Sizes beyond 32 bits are stated by RF64: its "ds64" chunk, first in the form,
        // holds them, and the RIFF and data size fields say 0xFFFFFFFF.
        std::array<uint8_t, 8 + kDs64Bytes> ds64{'d', 's', '6', '4'};
        PutLittleLong(kDs64Bytes, ds64.data() + 4);
        PutLittleLong64(static_cast<uint64_t>(4 + static_cast<int64_t>(ds64.size()) + chunks),
                        ds64.data() + 8);
        PutLittleLong64(static_cast<uint64_t>(mDataBytes), ds64.data() + 16);
        PutLittleLong64(static_cast<uint64_t>(frames), ds64.data() + 24);
        head->insert(head->begin() + kHeadBytes, ds64.begin(), ds64.end());
        std::copy_n("RF64", 4, head->begin());
        PutLittleLong(kMaxSize, head->data() + 4);
        PutLittleLong(kMaxSize, mDataHeader.data() + 4);
        mWarning += ", and the output is written as RF64, since they take more than the 4 GiB "
                    "a WAV file can state";
    }
    mHeadRead = true;
    return static_cast<long>(head->size());
}

long CWAVin::ReadMiddleInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen() || !mHeadRead) {
        return Fail(-1, "the head was not read");
    }
    *piece = mMiddle;
    return static_cast<long>(piece->size());
}

long CWAVin::ReadDataHeader(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen() || !mHeadRead || !Source().Seek(mDataOffset)) {
        return Fail(-1, "the head was not read");
    }
    StartData(mDataBytes);
    piece->assign(mDataHeader.begin(), mDataHeader.end());
    return static_cast<long>(piece->size());
}

long CWAVin::GetPadding(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    // Bytes of a last frame cut short are samples too: they are not passed on unfiltered.
    const int64_t dataEnd = mDataOffset + mDataBytes;
    piece->assign(static_cast<size_t>(dataEnd - WholeFramesEnd()), 0);
    if (mFinished && dataEnd < RealLength()) {
        if (!AppendPiece(dataEnd, RealLength() - dataEnd, piece)) {
            return Fail(-1, "the bytes after the sample data " + Problem());
        }
    } else if (mDataBytes % 2 != 0) {
        // The pad byte the file lacks at its very end.
        piece->push_back(0);
    }
    return static_cast<long>(piece->size());
}
