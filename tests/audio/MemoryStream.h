#pragma once

#include <cstdio>
#include <string>

// A read-only stream over a copy of bytes, for the chunk functions.
class MemoryStream {
public:
    explicit MemoryStream(std::string bytes)
        : mBytes(std::move(bytes)), mStream(fmemopen(mBytes.data(), mBytes.size(), "rb")) {}
    ~MemoryStream() { std::fclose(mStream); }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;
    std::FILE* get() const { return mStream; }
    long Position() const { return std::ftell(mStream); }

private:
    std::string mBytes;
    std::FILE* mStream;
};
