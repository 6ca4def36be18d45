#pragma once

#include "audio/ByteSource.h"

#include <cstdio>
#include <memory>

// The bytes of a regular file, read through a buffered stream.
class FileSource : public ByteSource {
public:
    explicit FileSource(std::string path) : mPath(std::move(path)) {}

    // Fails with "cannot open: " and the system's reason, or "cannot open: not a regular
    // file" for what cannot tell its size (a pipe, a terminal).
    bool Open(std::string* problem) override;
    bool Close() override;
    int64_t Size() const override { return mSize; }
    int64_t Position() const override;
    bool Seek(int64_t offset) override;
    bool Read(uint8_t* buffer, std::size_t count) override;

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    std::string mPath;
    std::unique_ptr<std::FILE, FileCloser> mFile;
    int64_t mSize = 0;
};
