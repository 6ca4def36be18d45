#include "audio/CWAVin.h"

#include "audio/FileUtils.h"
#include "audio/WAV.h"

namespace {

constexpr int64_t kHeadBytes = 12;
constexpr int64_t kChunkHeaderBytes = 8;
// The RIFF and data size fields hold 32 bits.
constexpr int64_t kMaxSize = 0xFFFFFFFF;

std::string ChunkName(const uint8_t* id) {
    std::string name = "\"";
    for (int i = 0; i < 4; ++i) {
        name += id[i] >= 0x20 && id[i] < 0x7F ? static_cast<char>(id[i]) : '?';
    }
    return name + "\"";
}

void PutLittleLong(uint32_t v, uint8_t* b) {
    for (int i = 0; i < 4; ++i) {
        b[i] = static_cast<uint8_t>(v >> (8 * i));
    }
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
            return Fail(-1, "the " + ChunkName(header.data()) + " chunk: " + Problem());
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
    const bool finished = declared != kMaxSize && (declared != 0 || available == 0) &&
                          declared <= available && ChunksFollow(mDataOffset + OddPad(declared));
    if (finished) {
        mDeclaredBytes = declared;
        mDataBytes = declared;
    } else {
        // Whole frames to the end of the file, as many as the 32-bit sizes can state.
        const int64_t room = kMaxSize - 4 - (static_cast<int64_t>(head->size()) - kHeadBytes) -
                             static_cast<int64_t>(mMiddle.size()) - kChunkHeaderBytes - 1;
        mDataBytes = std::min(available, room) / mFrameSize * mFrameSize;
        mDeclaredBytes = -1;
        PutLittleLong(static_cast<uint32_t>(mDataBytes), mDataHeader.data() + 4);
        const int64_t riff = 4 + static_cast<int64_t>(head->size()) - kHeadBytes +
                             static_cast<int64_t>(mMiddle.size()) + kChunkHeaderBytes +
                             OddPad(mDataBytes);
        PutLittleLong(static_cast<uint32_t>(riff), head->data() + 4);
        mWarning = "the recording was never finished (its data size says " +
                   std::to_string(declared) + " bytes); its " +
                   std::to_string(mDataBytes / mFrameSize) + " frames up to the end are read";
    }
    mHeadRead = true;
    return static_cast<long>(head->size());
}

bool CWAVin::ChunksFollow(int64_t offset) {
    const int64_t end = RealLength();
    // A missing pad byte after the last chunk or the data is tolerated.
    while (offset < end) {
        std::array<uint8_t, 8> header{};
        if (end - offset < kChunkHeaderBytes ||
            !Source().ReadAt(offset, header.data(), header.size())) {
            return false;
        }
        for (int i = 0; i < 4; ++i) {
            if (header[static_cast<size_t>(i)] < 0x20 || header[static_cast<size_t>(i)] > 0x7E) {
                return false;
            }
        }
        const int64_t size = lec2l(header.data() + 4);
        if (offset + kChunkHeaderBytes + size > end) {
            return false;
        }
        offset += kChunkHeaderBytes + OddPad(size);
    }
    return true;
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
    const int64_t dataEnd =
        mDeclaredBytes < 0 ? mDataOffset + mDataBytes : mDataOffset + mDeclaredBytes;
    piece->assign(static_cast<size_t>(dataEnd - WholeFramesEnd()), 0);
    if ((dataEnd - mDataOffset) % 2 != 0) {
        piece->push_back(0);
    }
    const int64_t chunks = mDataOffset + OddPad(dataEnd - mDataOffset);
    if (mDeclaredBytes >= 0 && chunks < RealLength() &&
        !AppendPiece(chunks, RealLength() - chunks, piece)) {
        return -1;
    }
    return static_cast<long>(piece->size());
}
