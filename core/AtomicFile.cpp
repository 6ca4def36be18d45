#include "core/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writing next to the real file keeps a symbolic link at the path intact. A link whose
// target does not exist yet leads to that target, which is then created, as cp does.
std::string ResolvedTarget(std::string path) {
    // As many links as the system itself follows; a longer chain is refused by Open.
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length < 0 || length >= static_cast<ssize_t>(sizeof target)) {
            break;
        }
        const size_t slash = path.rfind('/');
        path = target[0] == '/' || slash == std::string::npos
                   ? std::string(target, static_cast<size_t>(length))
                   : path.substr(0, slash + 1) + std::string(target, static_cast<size_t>(length));
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
    if (lstat(mTarget.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        errno = ELOOP;
        return false;
    }
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
    const size_t slash = mTarget.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // O_EXCL with mode 0666 lets the kernel apply the umask exactly as for any new file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix =
            ".tmp" + std::to_string(getpid()) + "-" + std::to_string(sequence++);
        // The target's name shortened so that the temporary name fits where it does.
        std::string candidate =
            mTarget.substr(0, nameStart + std::min(mTarget.size() - nameStart,
                                                   static_cast<size_t>(NAME_MAX) - suffix.size())) +
            suffix;
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
