#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// The design loader takes a path, so each input is written to a file of this process's own
// under the temporary folder, replaced for every input and removed at exit.
inline std::string FuzzFile(const uint8_t* data, size_t size) {
    static const struct OwnFile {
        std::string path;
        ~OwnFile() { std::remove(path.c_str()); }
    } file{std::string(std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "/tmp") +
           "/winqen-fuzz-" + std::to_string(getpid())};
    std::FILE* f = std::fopen(file.path.c_str(), "wb");
    if (f != nullptr) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return file.path;
}
