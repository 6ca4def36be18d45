#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Writes a file through a temporary file in the same folder that is renamed over the
// target only by Commit(), so a failed or abandoned write never destroys or truncates
// what stood at the path before. A new file gets the permissions of a newly created
// file (0666 less the umask); a replaced file keeps its own. Where that cannot be done
// the file is written directly: "-" is standard output; a path that is not a regular
// file (a device, a FIFO) is written into; a writable regular file in a folder that
// refuses new files is rewritten in place, which is not atomic. A symbolic link at the
// path is kept and its target written, and created when it does not exist yet (as cp
// does); a chain of links too long to follow is refused (ELOOP). Not copyable.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    enum class Mode { Temporary, Direct, InPlace };

    // Creates the temporary file, or opens the target where it must be written
    // directly; false when neither can be done.
    bool Open();
    Mode GetMode() const { return mMode; }
    // The open temporary file, or null. Writes through it are checked by Commit.
    std::FILE* Stream() const { return mStream; }
    bool Write(std::string_view bytes);
    // Flushes, closes and renames the temporary file onto the target (a file written in
    // place is cut to what was written). False when any write, the close or the rename
    // failed; the temporary file is then removed.
    bool Commit();
    // Closes and removes the temporary file; the target is left as it was.
    void Discard();

private:
    bool OpenTemporary();
    bool OpenDirect(int fd, Mode mode);

    std::string mTarget;
    std::string mTempPath;
    std::FILE* mStream = nullptr;
    Mode mMode = Mode::Temporary;
};

// Writes bytes to path atomically; true when the whole file landed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);
