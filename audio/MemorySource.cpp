#include "audio/MemorySource.h"

#include <algorithm>

bool MemorySource::Open(std::string* /*problem*/) {
    mPosition = 0;
    return true;
}

bool MemorySource::Seek(int64_t offset) {
    if (offset < 0 || offset > Size()) {
        return false;
    }
    mPosition = offset;
    return true;
}

bool MemorySource::Read(uint8_t* buffer, std::size_t count) {
    if (static_cast<uint64_t>(Left()) < count) {
        return false;
    }
    std::copy_n(mBytes.begin() + mPosition, count, buffer);
    mPosition += static_cast<int64_t>(count);
    return true;
}
