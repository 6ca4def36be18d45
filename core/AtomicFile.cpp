#include "core/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writing next to the real file keeps a symbolic link at the path intact.
std::string ResolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
        realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

} // namespace

AtomicFile::AtomicFile(std::string path) : mTarget(ResolvedTarget(path)) {}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Open() {
    if (mStream != nullptr) {
        return true;
    }
    if (mTarget == "-") {
        return OpenDirect(fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0), Mode::Direct);
    }
    struct stat st {};
    const bool exists = stat(mTarget.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    // A device or FIFO is the destination itself; renaming a file over it would
    // replace it and leave its reader with nothing.
    if (exists && !S_ISREG(st.st_mode)) {
        return OpenDirect(open(mTarget.c_str(), O_WRONLY | O_CLOEXEC), Mode::Direct);
    }
    // Replacing a file through rename would bypass its write protection; refuse as
    // opening it for writing would.
    if (exists && access(mTarget.c_str(), W_OK) != 0) {
        return false;
    }
    if (OpenTemporary()) {
        return true;
    }
    if (exists && (errno == EACCES || errno == EPERM)) {
        return OpenDirect(open(mTarget.c_str(), O_WRONLY | O_CLOEXEC), Mode::InPlace);
    }
    return false;
}

bool AtomicFile::OpenDirect(int fd, Mode mode) {
    if (fd < 0) {
        return false;
    }
    mStream = fdopen(fd, "wb");
    if (mStream == nullptr) {
        close(fd);
        return false;
    }
    mMode = mode;
    return true;
}

bool AtomicFile::OpenTemporary() {
    static std::atomic<unsigned> sequence{0};
    // O_EXCL with mode 0666 lets the kernel apply the umask exactly as for any new file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate =
            mTarget + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(sequence++);
        const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        mStream = fdopen(fd, "wb");
        if (mStream == nullptr) {
            close(fd);
            unlink(candidate.c_str());
            return false;
        }
        mTempPath = std::move(candidate);
        mMode = Mode::Temporary;
        return true;
    }
    return false;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (mStream == nullptr) {
        return false;
    }
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), mStream) == bytes.size();
}

bool AtomicFile::Commit() {
    if (mStream == nullptr) {
        return false;
    }
    bool ok = std::fflush(mStream) == 0 && std::ferror(mStream) == 0;
    if (mMode == Mode::Direct) {
        // Pipes and devices cannot be synced; what was written has been handed over.
        ok = std::fclose(mStream) == 0 && ok;
        mStream = nullptr;
        return ok;
    }
    if (mMode == Mode::InPlace) {
        ok = ok && ftruncate(fileno(mStream), ftello(mStream)) == 0;
    }
    ok = fsync(fileno(mStream)) == 0 && ok;
    struct stat existing {};
    if (ok && mMode == Mode::Temporary && stat(mTarget.c_str(), &existing) == 0) {
        ok = fchmod(fileno(mStream), existing.st_mode & 07777) == 0;
    }
    ok = std::fclose(mStream) == 0 && ok;
    mStream = nullptr;
    if (ok && mMode == Mode::Temporary) {
        ok = std::rename(mTempPath.c_str(), mTarget.c_str()) == 0;
    }
    if (!mTempPath.empty()) {
        if (!ok) {
            unlink(mTempPath.c_str());
        }
        mTempPath.clear();
    }
    return ok;
}

void AtomicFile::Discard() {
    if (mStream != nullptr) {
        std::fclose(mStream);
        mStream = nullptr;
    }
    if (!mTempPath.empty()) {
        unlink(mTempPath.c_str());
        mTempPath.clear();
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file(path);
    return file.Open() && file.Write(bytes) && file.Commit();
}
