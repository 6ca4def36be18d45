#include "audio/CAIFFin.h"

#include "audio/AIFF.h"
#include "audio/FileUtils.h"
#include "core/Printable.h"

#include <algorithm>

namespace {

constexpr int64_t kHeadBytes = 12;
// Offsets within the form count from the form type at file offset 8, so the first
// chunk stands at offset 4 and the form ends at offset mFileLength.
constexpr int64_t kFormStart = 8;
constexpr int64_t kFirstChunkOffset = 4;
// The "SSND" header: identifier, size, offset and block size.
constexpr int64_t kSoundHeaderBytes = 16;
// The AIFF sizes hold 32 bits.
constexpr int64_t kMaxSize = 0xFFFFFFFF;

void PutBigLong(uint32_t v, uint8_t* b) {
    for (int i = 0; i < 4; ++i) {
        b[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    }
}

std::string ChunkName(uint32_t id) {
    const char bytes[4] = {static_cast<char>(id >> 24), static_cast<char>(id >> 16),
                           static_cast<char>(id >> 8), static_cast<char>(id)};
    return "\"" + Printable(std::string_view(bytes, 4)) + "\"";
}

} // namespace

long CAIFFin::ReadHeadInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    mMiddle.clear();
    mWalked = -1;
    mWalkProblem = "the head was not read";
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
    mFormCut = kFormStart + bec2l(head.data() + 4) > RealLength();
    piece->assign(head.begin(), head.end());
    mWalked = WalkForm(piece);
    if (mWalked < 0) {
        mMiddle.clear();
        mWalkProblem = Problem();
    }
    return kHeadBytes;
}

long CAIFFin::ReadMiddleInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    if (mWalked < 0) {
        return Fail(static_cast<int>(mWalked), mWalkProblem);
    }
    *piece = mMiddle;
    return static_cast<long>(piece->size());
}

long CAIFFin::WalkForm(std::vector<uint8_t>* head) {
    ByteSource& source = Source();
    // Offsets within the form: its end as stated and the end of the file.
    const int64_t fileEnd = RealLength() - kFormStart;
    bool haveFormat = false;
    int soundChunks = 0;
    int64_t commBody = -1;
    mSoundCut = false;
    // Every step moves at least one chunk header forward, so the walk ends.
    for (int64_t offset = kFirstChunkOffset; offset < std::min(mFileLength, fileEnd);) {
        std::array<uint8_t, 8> header{};
        if (offset + 8 > fileEnd || !source.ReadAt(kFormStart + offset, header.data(), 8)) {
            return Fail(-2, "the FORM chunk runs past the end of the file");
        }
        const uint32_t id = bec2l(header.data());
        const int64_t size = bec2l(header.data() + 4);
        if (id == FourCC("SSND")) {
            if (++soundChunks > 1) {
                return Fail(-3, "more than one \"SSND\" chunk");
            }
            mSoundAt = kFormStart + offset;
            mSoundSize = size;
            // Nothing of the form can follow a chunk that the file does not hold whole.
            if (offset + 8 + size > fileEnd) {
                mSoundCut = true;
                break;
            }
        }
        if (offset + 8 + OddPad(size) > mFileLength) {
            return Fail(-2, "a chunk runs past the end of the FORM");
        }
        if (id != FourCC("SSND")) {
            if (!AppendPiece(kFormStart + offset, 8 + OddPad(size), &mMiddle)) {
                return Fail(-2, "the " + ChunkName(id) + " chunk " + Problem());
            }
        }
        if (id == FourCC("COMM")) {
            AIFFFormat format;
            std::string why;
            commBody = static_cast<int64_t>(mMiddle.size()) - OddPad(size);
            if (haveFormat || !ParseAIFFFormat(mMiddle.data() + commBody, static_cast<size_t>(size),
                                               mCompressed, &format, &why)) {
                return Fail(-1, haveFormat ? "two \"COMM\" chunks" : why);
            }
            SetFormat(format.coding, format.channels);
            mSampleRate = format.rate;
            haveFormat = true;
        }
        offset += 8 + OddPad(size);
    }
    if (!haveFormat || soundChunks == 0) {
        return Fail(-3, !haveFormat ? "no \"COMM\" chunk" : "no \"SSND\" chunk");
    }
    return Repair(head, commBody);
}

long CAIFFin::Repair(std::vector<uint8_t>* head, int64_t commBody) {
    const auto middle = static_cast<int64_t>(mMiddle.size());
    if (mSoundCut) {
        std::array<uint8_t, kSoundHeaderBytes> header{};
        const int64_t offset = RealLength() - mSoundAt >= kSoundHeaderBytes &&
                                       Source().ReadAt(mSoundAt, header.data(), header.size())
                                   ? bec2l(header.data() + 8)
                                   : -1;
        const int64_t available = RealLength() - mSoundAt - kSoundHeaderBytes - offset;
        if (offset < 0 || available < 0) {
            return Fail(-2, "the \"SSND\" chunk is cut short");
        }
        // Whole frames to the end of the file, as many as the 32-bit form size can state.
        const int64_t room = kMaxSize - 4 - middle - kSoundHeaderBytes - offset - 1;
        const int64_t samples = std::min(available, room) / mFrameSize * mFrameSize;
        const int64_t frames = samples / mFrameSize;
        mWarning = "the recording was never finished (its \"SSND\" chunk says " +
                   std::to_string(mSoundSize) + " bytes); its " + std::to_string(frames) +
                   " frames up to the end are read";
        mSoundSize = 8 + offset + samples;
        PutBigLong(static_cast<uint32_t>(frames), mMiddle.data() + commBody + 2);
    } else if (mFormCut) {
        mWarning = "the FORM size says " + std::to_string(bec2l(head->data() + 4)) +
                   " bytes, but the file ends after " + std::to_string(RealLength() - kFormStart) +
                   "; the output states the true size";
    } else {
        return middle;
    }
    PutBigLong(static_cast<uint32_t>(4 + middle + 8 + OddPad(mSoundSize)), head->data() + 4);
    return middle;
}

long CAIFFin::ReadDataHeader(std::vector<uint8_t>* piece) {
    piece->clear();
    if (!CheckOpen()) {
        return -1;
    }
    if (mWalked < 0) {
        return Fail(-1, "the form was not read");
    }
    std::array<uint8_t, kSoundHeaderBytes> header{};
    if (RealLength() - mSoundAt < kSoundHeaderBytes ||
        !Source().ReadAt(mSoundAt, header.data(), header.size()) || mSoundSize < 8) {
        return Fail(-1, "the \"SSND\" chunk is cut short");
    }
    PutBigLong(static_cast<uint32_t>(mSoundSize), header.data() + 4);
    const int64_t offset = bec2l(header.data() + 8);
    if (offset > mSoundSize - 8) {
        return Fail(-1, "the \"SSND\" chunk's offset lies beyond its samples");
    }
    piece->assign(header.begin(), header.end());
    // The offset's bytes stand before the first frame; they pass unchanged.
    if (offset > 0 && !AppendPiece(mSoundAt + kSoundHeaderBytes, offset, piece)) {
        const std::string why = Problem();
        piece->clear();
        return Fail(-1, "the \"SSND\" chunk's offset " + why);
    }
    const int64_t samples = mSoundSize - 8 - offset;
    if (!Source().Seek(mSoundAt + kSoundHeaderBytes + offset) || samples > Source().Left()) {
        piece->clear();
        return Fail(-1, "the \"SSND\" chunk runs past the end of the file");
    }
    StartData(samples);
    mPadding = mSoundSize % 2 != 0;
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
