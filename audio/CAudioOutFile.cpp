#include "audio/CAudioOutFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Room for at least one frame of 64 channels of 64-bit samples.
constexpr size_t kBlockBytes = 65536;
constexpr size_t kStartWritesBytes = size_t{8} << 20;

std::string Reason(const char* what) {
    return errno != 0 ? std::string(what) + ": " + std::strerror(errno) : std::string(what);
}

} // namespace

int CAudioOutFile::OpenFile() {
    if (mFileIsOpen) {
        return Fail(-3, "already open");
    }
    struct stat st {};
    if (stat(GetFilename().c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return Fail(-1, "is a folder");
    }
    errno = 0;
    auto file = std::make_unique<AtomicFile>(GetFilename());
    if (!file->Open()) {
        return Fail(-1, Reason("cannot create a file there"));
    }
    mFile = std::move(file);
    mBlock.resize(kBlockBytes);
    mBlockUsed = 0;
    mUnstarted = 0;
    mFileIsOpen = true;
    return 0;
}

int CAudioOutFile::CloseFile() {
    if (!mFileIsOpen) {
        return Fail(-2, "not open");
    }
    mFileIsOpen = false;
    errno = 0;
    const bool flushed = Finish();
    const bool committed = flushed && mFile->Commit();
    mFile.reset();
    return committed ? 0 : Fail(-1, Reason("cannot write"));
}

void CAudioOutFile::DiscardFile() {
    mFile.reset();
    mFileIsOpen = false;
}

int CAudioOutFile::WritePiece(const std::vector<uint8_t>& bytes) {
    errno = 0;
    if (!mFileIsOpen || !FlushBlock() ||
        !mFile->Write(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))) {
        return Fail(-1, Reason("cannot write"));
    }
    return 0;
}

int CAudioOutFile::PutFrames(const double* samples, size_t count) {
    if (!mFileIsOpen) {
        return Fail(-1, "not open");
    }
    const auto frameBytes = static_cast<size_t>(mFrameSize);
    const auto channels = static_cast<size_t>(mChannels);
    while (count > 0) {
        if (mBlock.size() - mBlockUsed < frameBytes && !FlushBlock()) {
            return Fail(-1, Reason("cannot write"));
        }
        const size_t take = std::min(count, (mBlock.size() - mBlockUsed) / frameBytes);
        mCoding.Encode(samples, mBlock.data() + mBlockUsed, take * channels);
        mBlockUsed += take * frameBytes;
        samples += take * channels;
        count -= take;
    }
    return 0;
}

bool CAudioOutFile::Finish() {
    return FlushBlock();
}

bool CAudioOutFile::FlushBlock() {
    const size_t used = mBlockUsed;
    mBlockUsed = 0;
    if (!mFile->Write(std::string_view(reinterpret_cast<const char*>(mBlock.data()), used))) {
        return false;
    }
#ifdef __linux__
    // The finished file is flushed to disk before it is renamed into place. Starting
    // the disk writes while the file grows lets them run as later samples are computed,
    // so that the flush at the end has little left to wait for.
    mUnstarted += used;
    if (mUnstarted >= kStartWritesBytes && std::fflush(mFile->Stream()) == 0) {
        sync_file_range(fileno(mFile->Stream()), 0, 0, SYNC_FILE_RANGE_WRITE);
        mUnstarted = 0;
    }
#endif
    return true;
}
