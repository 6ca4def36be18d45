#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

// Recognising an AIFF file, reading its "COMM" format and walking its chunks. All
// functions start at the stream's current position and never read past the end of
// the stream.

// OddPad(form size) when the 12 bytes at the position are a FORM of type AIFF, else 0
// (also when fewer than 12 bytes are left). The bytes read land in head.
int64_t ReadAIFFHead(std::FILE* stream, std::array<uint8_t, 12>& head);

// Reads the "COMM" chunk at the position and moves back to its start. Result: exactly
// one of bit 0, 1, 2, 3 for 8-, 16-, 24- or 32-bit samples, bit 4 for stereo; or -1
// when the chunk is not "COMM" or too short for its fields (or not all there), -2
// when the channel count is not 1 or 2, -3 when the bits per sample are not 8, 16, 24
// or 32. The rate is truncated toward zero; one that is no number of hertz a 32-bit
// field can hold (negative, infinite, not a number) is stored as 0.
int GetAIFFFormat(std::FILE* stream, uint32_t* rate);

// When the next chunk is "SSND": reads its header with the offset and block size
// fields into header and returns the number of sample bytes (size - 8). Otherwise -1
// (also for a size below 8), and the position is left where it was.
int64_t ReadAIFFDataHeader(std::FILE* stream, std::array<uint8_t, 16>& header);

// OddPad(size) of the next chunk: its body with the pad byte; -1 when fewer than 8
// bytes are left. The position is left where it was.
int64_t GetAChunkSize(std::FILE* stream);

// The identifier of the next chunk, or 0 when fewer than 4 bytes are left. The
// position is left where it was.
uint32_t GetNextChunkType(std::FILE* stream);

// True for the chunk identifiers an AIFF file may hold besides "COMM" and "SSND".
bool IsListedAIFFChunk(uint32_t id);
