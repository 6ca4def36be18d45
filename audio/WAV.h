#pragma once

#include "audio/ByteSource.h"
#include "audio/CSampleCoding.h"

#include <array>
#include <cstdint>
#include <string>

// Recognising a RIFF WAVE file and reading its format chunk. Functions that read start
// at the source's position and never read past its end.

// The RIFF size field when the 12 bytes at the position are a RIFF WAVE head, else -1
// (also when fewer than 12 bytes are left). The bytes read land in head. A recording
// never finished may state a size of 0.
int64_t ReadWAVHead(ByteSource& source, std::array<uint8_t, 12>& head);

// What a "fmt " chunk says about the samples.
struct WAVFormat {
    CSampleCoding coding;
    int channels = 0;
    uint32_t rate = 0;
};

// Reads a "fmt " chunk body of size bytes: integer PCM of 8, 16, 24 or 32 bits, IEEE
// float of 32 or 64 bits, either plainly or as an extensible format's subformat, in 1
// to 64 channels. False with the reason in why for any other.
bool ParseWAVFormat(const uint8_t* body, std::size_t size, WAVFormat* format, std::string* why);
