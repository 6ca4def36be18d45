#include "audio/FileSource.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string CannotOpen(const char* why) {
    return std::string("cannot open: ") + why;
}

// Copies what is left of the stream in into a temporary file that has no name, so
// that nothing is left behind however the program ends. -1 with errno set on failure.
int CopyStream(int in) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/qen-XXXXXX";
    const int copy = mkostemp(path.data(), O_CLOEXEC);
    if (copy < 0) {
        return -1;
    }
    unlink(path.c_str());
    char buffer[65536];
    for (;;) {
        // A stop signal interrupts the read: a stream that never ends can be given up.
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got == 0) {
            return copy;
        }
        ssize_t written = 0;
        while (got > 0 && written < got) {
            const ssize_t n = write(copy, buffer + written, static_cast<size_t>(got - written));
            if (n < 0) {
                break;
            }
            written += n;
        }
        if (got < 0 || written < got) {
            const int error = errno;
            close(copy);
            errno = error;
            return -1;
        }
    }
}

} // namespace

FileSource::Descriptor::~Descriptor() {
    close(mFd);
}

std::shared_ptr<const FileSource::Descriptor> FileSource::OpenInput(const std::string& path,
                                                                    std::string* problem) {
    const int fd = path == "-" ? fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)
                               : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *problem = CannotOpen(std::strerror(errno));
        return nullptr;
    }
    auto file = std::make_shared<const Descriptor>(fd);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        *problem = CannotOpen(std::strerror(errno));
        return nullptr;
    }
    if (S_ISDIR(st.st_mode)) {
        *problem = CannotOpen("it is a folder");
        return nullptr;
    }
    if (isatty(fd) != 0) {
        *problem = CannotOpen("it is a terminal");
        return nullptr;
    }
    if (!S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode) && lseek(fd, 0, SEEK_END) >= 0) {
        return file;
    }
    const int copy = CopyStream(fd);
    if (copy < 0) {
        *problem = std::string("cannot keep a copy of the stream: ") + std::strerror(errno);
        return nullptr;
    }
    return std::make_shared<const Descriptor>(copy);
}

bool FileSource::Open(std::string* problem) {
    if (!mPath.empty()) {
        mFile = OpenInput(mPath, problem);
        if (mFile == nullptr) {
            return false;
        }
    }
    const off_t size = mFile == nullptr ? -1 : lseek(mFile->Get(), 0, SEEK_END);
    if (size < 0) {
        *problem = CannotOpen(std::strerror(errno));
        return false;
    }
    mSize = static_cast<int64_t>(size);
    mPosition = 0;
    return true;
}

bool FileSource::Close() {
    if (!mPath.empty()) {
        mFile.reset();
    }
    return true;
}

bool FileSource::Seek(int64_t offset) {
    if (mFile == nullptr || offset < 0 || offset > mSize) {
        return false;
    }
    mPosition = offset;
    return true;
}

bool FileSource::Read(uint8_t* buffer, std::size_t count) {
    if (mFile == nullptr || static_cast<uint64_t>(Left()) < count) {
        return false;
    }
    for (std::size_t done = 0; done < count;) {
        const ssize_t n = pread(mFile->Get(), buffer + done, count - done,
                                static_cast<off_t>(mPosition + static_cast<int64_t>(done)));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    mPosition += static_cast<int64_t>(count);
    return true;
}
