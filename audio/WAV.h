#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

// Recognising a RIFF WAVE file, reading its format chunk and walking its chunks. All
// functions start at the stream's current position and never read past the end of
// the stream: a chunk that claims more bytes than are left is refused unread.

// The RIFF size field when the 12 bytes at the position are a RIFF WAVE head, else 0
// (also when fewer than 12 bytes are left). The bytes read land in head.
int64_t ReadWAVHead(std::FILE* stream, std::array<uint8_t, 12>& head);

// Reads the "fmt " chunk whole (header, body, pad byte) and appends it to chunk.
// Result: bit 0 set for 16-bit samples (clear: 8-bit), bit 1 set for stereo; or
// -1 when the chunk is not "fmt ", its body is shorter than the 16 bytes of the fields
// or runs past the end; -2 when the samples are not integer PCM (tag 1); -3 when the
// channel count is not 1 or 2 or the bits per sample not 8 or 16. The rate is stored
// once the channel count has passed.
int ReadWAVFormat(std::FILE* stream, std::vector<uint8_t>* chunk, uint32_t* rate);

// True when the next chunk is "data". The position is left where it was.
bool NextChunkisData(std::FILE* stream);

// The size field of the next chunk (its body without header and pad byte), or -1 when
// fewer than 8 bytes are left. The position is left where it was.
int64_t GetNextChunkSize(std::FILE* stream);

// Appends the next chunk whole (header, body and the pad byte of an odd body) to
// chunk. False, with nothing appended, when it does not fit in what is left.
bool ReadWChunk(std::FILE* stream, std::vector<uint8_t>* chunk);

// When the next chunk is "data": reads its header into header and returns the data
// size. Otherwise -1, and the position is left where it was.
int64_t ReadWDataHeader(std::FILE* stream, std::array<uint8_t, 8>& header);
