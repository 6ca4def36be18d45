#pragma once

#include "audio/ByteSource.h"
#include "audio/CSampleCoding.h"

#include <array>
#include <cstdint>
#include <string>

// Recognising an AIFF or AIFF-C file, reading its "COMM" format and finding its
// "SSND" chunk. Functions that read start at the source's position and never read past
// its end.

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

// When the next chunk is "SSND": reads its header with the offset and block size
// fields into header and returns the number of sample bytes (size - 8). Otherwise -1
// (also for a size below 8), and the position is left where it was.
int64_t ReadAIFFDataHeader(ByteSource& source, std::array<uint8_t, 16>& header);

// OddPad(size) of the next chunk: its body with the pad byte; -1 when fewer than 8
// bytes are left. The position is left where it was.
int64_t GetAChunkSize(ByteSource& source);

// The identifier of the next chunk, or 0 when fewer than 4 bytes are left. The
// position is left where it was.
uint32_t GetNextChunkType(ByteSource& source);
