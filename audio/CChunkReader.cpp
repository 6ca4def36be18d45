#include "audio/CChunkReader.h"

#include "audio/FileSource.h"
#include "audio/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr int64_t kBlockFrames = 8192;

} // namespace

CChunkReader::CChunkReader(std::string path)
    : CAudioInFile(path), mSource(std::make_unique<FileSource>(std::move(path))) {}

CChunkReader::CChunkReader(std::unique_ptr<ByteSource> source)
    : CAudioInFile(""), mSource(std::move(source)) {}

int CChunkReader::OpenFile() {
    if (mFileIsOpen) {
        return Fail(-3, "already open");
    }
    std::string problem;
    if (!mSource->Open(&problem)) {
        return Fail(-1, problem);
    }
    mFileIsOpen = true;
    return 0;
}

int CChunkReader::CloseFile() {
    if (!mFileIsOpen) {
        return Fail(-2, "not open");
    }
    mFileIsOpen = false;
    return mSource->Close() ? 0 : Fail(-1, std::string("cannot close: ") + std::strerror(errno));
}

void CChunkReader::StartData(int64_t dataBytes) {
    mDataStart = mSource->Position();
    mDataLength = dataBytes;
    mFrameCount = dataBytes / mFrameSize;
    mFramesUnread = mFrameCount;
    mBlock.resize(static_cast<size_t>(std::min(mFrameCount, kBlockFrames) * mFrameSize));
    mBlockPos = 0;
    mBlockEnd = 0;
}

int64_t CChunkReader::WholeFramesEnd() const {
    return mDataStart + mDataLength / mFrameSize * mFrameSize;
}

long CChunkReader::ReadFrames(double* samples, long count) {
    long done = 0;
    const auto channels = static_cast<size_t>(mChannels);
    while (done < count && mFrameCount > 0) {
        if (mBlockPos == mBlockEnd) {
            const auto bytes =
                static_cast<size_t>(std::min(mFramesUnread, kBlockFrames) * mFrameSize);
            if (!mFileIsOpen || bytes == 0 || !mSource->Read(mBlock.data(), bytes)) {
                return Fail(-2, "the sample data ends before its stated length");
            }
            mFramesUnread -= static_cast<int64_t>(bytes) / mFrameSize;
            mBlockPos = 0;
            mBlockEnd = bytes;
        }
        const long take =
            std::min(count - done,
                     static_cast<long>((mBlockEnd - mBlockPos) / static_cast<size_t>(mFrameSize)));
        mCoding.Decode(mBlock.data() + mBlockPos, samples + static_cast<size_t>(done) * channels,
                       static_cast<size_t>(take) * channels);
        mBlockPos += static_cast<size_t>(take * mFrameSize);
        mFrameCount -= take;
        done += take;
    }
    return done;
}

std::unique_ptr<CAudioOutFile> CChunkReader::MakeWriter(std::string path) const {
    auto writer = std::make_unique<CAudioOutFile>(std::move(path));
    writer->SetFormat(mCoding, mChannels);
    return writer;
}

bool CChunkReader::AppendPiece(int64_t offset, int64_t count, std::vector<uint8_t>* piece) {
    if (offset + count > RealLength() || !mSource->Seek(offset)) {
        Fail(-1, "runs past the end of the file");
        return false;
    }
    if (static_cast<int64_t>(piece->size()) + count > kMaxPieceBytes) {
        Fail(-1, "would make the chunks besides the samples exceed 64 MiB");
        return false;
    }
    const size_t start = piece->size();
    piece->resize(start + static_cast<size_t>(count));
    if (!mSource->Read(piece->data() + start, static_cast<size_t>(count))) {
        piece->resize(start);
        Fail(-1, "the file cannot be read");
        return false;
    }
    return true;
}
