#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

// A file of this process's own under the temporary folder, named after what, removed
// at exit.
inline std::string OwnFuzzPath(const char* what) {
    static struct Owned {
        std::vector<std::string> paths;
        ~Owned() {
            for (const std::string& path : paths) {
                std::remove(path.c_str());
            }
        }
    } owned;
    const char* dir = std::getenv("TMPDIR");
    const std::string path = std::string(dir != nullptr ? dir : "/tmp") + "/winqen-fuzz-" + what +
                             "-" + std::to_string(getpid());
    if (std::find(owned.paths.begin(), owned.paths.end(), path) == owned.paths.end()) {
        owned.paths.push_back(path);
    }
    return path;
}

// The design loader takes a path, so each input is written to a file of this process's own,
// replaced for every input.
inline std::string FuzzFile(const uint8_t* data, size_t size) {
    const std::string path = OwnFuzzPath("in");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f != nullptr) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
