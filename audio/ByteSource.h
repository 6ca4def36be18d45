#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Where a native reader's bytes come from: Size() bytes, read from the position Seek
// sets. A file and a block of memory are read alike, so tests and fuzz targets feed the
// readers bytes without a file. Open before reading; each Open starts afresh (a file is
// opened again and may have changed since).
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // True, or false with the reason for the user in *problem.
    virtual bool Open(std::string* problem) = 0;
    // False when closing failed.
    virtual bool Close() = 0;

    // Bytes from the start to the end, as found by Open.
    virtual int64_t Size() const = 0;
    // Bytes from the start to where the next Read begins.
    virtual int64_t Position() const = 0;
    // Moves to offset, 0 to Size(); false for any other offset or when not open.
    virtual bool Seek(int64_t offset) = 0;
    // Reads count bytes from the position and moves past them; false when fewer are
    // left or they cannot be read (buffer and position are then unspecified).
    virtual bool Read(uint8_t* buffer, std::size_t count) = 0;

    int64_t Left() const { return Size() - Position(); }
    bool ReadAt(int64_t offset, uint8_t* buffer, std::size_t count) {
        return Seek(offset) && Read(buffer, count);
    }
};
