#pragma once

#include "audio/ByteSource.h"
#include "audio/CSampleCoding.h"

#include <array>
#include <cstdint>
#include <string>

// Recognising an AIFF or AIFF-C file and reading its "COMM" format. Functions that read
// start at the source's position and never read past its end.

// OddPad(form size) when the 12 bytes at the position are a FORM of type AIFF or AIFC,
// else 0 (also when fewer than 12 bytes are left). The bytes read land in head.
int64_t ReadAIFFHead(ByteSource& source, std::array<uint8_t, 12>& head);

// What a "COMM" chunk says about the samples.
struct AIFFFormat {
    CSampleCoding coding;
    int channels = 0;
    // Truncated toward zero; 0 when no 32-bit number of hertz holds it.
    uint32_t rate = 0;
};

// Reads a "COMM" body of size bytes: 8-, 16-, 24- or 32-bit samples in 1 to 64
// channels, and for AIFF-C (aifc) the compression types "NONE", "twos", "sowt"
// (little-endian), "fl32" and "fl64" in either letter case. False with the reason in
// why for any other.
bool ParseAIFFFormat(const uint8_t* body, std::size_t size, bool aifc, AIFFFormat* format,
                     std::string* why);
