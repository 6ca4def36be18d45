#pragma once

#include "audio/ByteSource.h"

#include <vector>

// Bytes held in memory, read as a file of the same bytes would be.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::vector<uint8_t> bytes) : mBytes(std::move(bytes)) {}

    // Always succeeds; the position returns to the start.
    bool Open(std::string* problem) override;
    bool Close() override { return true; }
    int64_t Size() const override { return static_cast<int64_t>(mBytes.size()); }
    int64_t Position() const override { return mPosition; }
    bool Seek(int64_t offset) override;
    bool Read(uint8_t* buffer, std::size_t count) override;

private:
    std::vector<uint8_t> mBytes;
    int64_t mPosition = 0;
};
