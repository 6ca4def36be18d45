#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// The readers take a path, so each input is written to a file of this process's own
// under the temporary folder, replaced for every input.
inline std::string FuzzFile(const uint8_t* data, size_t size) {
    const char* folder = std::getenv("TMPDIR");
    const std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/winqen-fuzz-" +
                             std::to_string(getpid());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f != nullptr) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
