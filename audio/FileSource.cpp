#include "audio/FileSource.h"

#include "audio/FileUtils.h"

#include <cerrno>
#include <cstring>

bool FileSource::Open(std::string* problem) {
    mFile.reset(std::fopen(mPath.c_str(), "rb"));
    if (mFile == nullptr) {
        *problem = std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    mSize = BytesLeft(mFile.get());
    if (mSize < 0) {
        mFile.reset();
        *problem = "cannot open: not a regular file";
        return false;
    }
    return true;
}

bool FileSource::Close() {
    return mFile == nullptr || std::fclose(mFile.release()) == 0;
}

int64_t FileSource::Position() const {
    return mFile == nullptr ? 0 : static_cast<int64_t>(ftello(mFile.get()));
}

bool FileSource::Seek(int64_t offset) {
    return mFile != nullptr && offset >= 0 && offset <= mSize &&
           fseeko(mFile.get(), static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool FileSource::Read(uint8_t* buffer, std::size_t count) {
    return mFile != nullptr && ReadExactly(mFile.get(), buffer, count);
}
