#pragma once

#include "cli/QenTool.h"

#include <sstream>
#include <string>
#include <vector>

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return mPath; }
    std::string File(const std::string& name) const { return mPath + "/" + name; }

private:
    std::string mPath;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Switches the process to a locale whose decimal point is a comma (de_DE.UTF-8) for
// as long as it lives; Active() is false when no such locale is installed.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool Active() const { return mActive; }

private:
    std::string mPrevious;
    bool mActive = false;
};

// The qen command line run in the process: its exit code and what it wrote. Inline, so
// that only the programs that call it need the tool's library.
struct QenRun {
    int code;
    std::string out;
    std::string err;
};
inline QenRun Qen(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunQen(args, out, err);
    return QenRun{code, out.str(), err.str()};
}
