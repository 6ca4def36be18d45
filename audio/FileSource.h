#pragma once

#include "audio/ByteSource.h"

#include <memory>

// The bytes of a file, read with positioned reads, so that any number of sources over
// one open file read it independently of each other.
class FileSource : public ByteSource {
public:
    // An open file, closed when the last source over it goes.
    class Descriptor {
    public:
        explicit Descriptor(int fd) : mFd(fd) {}
        ~Descriptor();
        Descriptor(const Descriptor&) = delete;
        Descriptor& operator=(const Descriptor&) = delete;
        int Get() const { return mFd; }

    private:
        int mFd;
    };

    // Opens the input named path once. A file that can tell its size is read where it
    // lies; "-" (standard input), a pipe, a FIFO or a socket, which can be read only
    // once, is first copied whole into an unnamed temporary file (in $TMPDIR, else
    // /tmp). Null with "cannot open: " and the reason in *problem for what cannot be
    // opened or copied, a folder, or a terminal.
    static std::shared_ptr<const Descriptor> OpenInput(const std::string& path,
                                                       std::string* problem);

    // Reads the input at path, opened anew by each Open.
    explicit FileSource(std::string path) : mPath(std::move(path)) {}
    // Reads an input already open.
    explicit FileSource(std::shared_ptr<const Descriptor> file) : mFile(std::move(file)) {}

    // Fails as OpenInput does; the size is taken afresh.
    bool Open(std::string* problem) override;
    // Lets go of the file; the input at a path is opened again by the next Open.
    bool Close() override;
    int64_t Size() const override { return mSize; }
    int64_t Position() const override { return mPosition; }
    bool Seek(int64_t offset) override;
    bool Read(uint8_t* buffer, std::size_t count) override;

private:
    std::string mPath;
    std::shared_ptr<const Descriptor> mFile;
    int64_t mSize = 0;
    int64_t mPosition = 0;
};
