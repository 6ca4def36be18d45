#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sound files built byte by byte, so that every header field a test breaks is plain.

std::string LE16(uint32_t v);
std::string LE32(uint32_t v);
std::string BE16(uint32_t v);
std::string BE32(uint32_t v);
// The 80-bit extended float of a non-negative rate, as AIFF stores it.
std::string Extended(double rate);

// A chunk: identifier, size, body and a zero pad byte after an odd body.
std::string WavChunk(const std::string& id, const std::string& body);
std::string AiffChunk(const std::string& id, const std::string& body);

// The 16-byte PCM "fmt " chunk.
std::string WavFormat(int channels, int bits, uint32_t rate = 8000, int tag = 1);
// RIFF head (size counting everything after it), the chunks given, then "data" with
// the samples and their pad byte, then the chunks after.
std::string WavFile(const std::string& format, const std::string& before,
                    const std::string& samples, const std::string& after = "");

std::string AiffComm(int channels, int bits, uint32_t frames, double rate = 8000);
// FORM head of the type given over the chunks given.
std::string AiffFile(const std::string& chunks, const std::string& type = "AIFF");
// "SSND" with zero block size and the offset bytes given before the samples.
std::string AiffSound(const std::string& samples, const std::string& offset = "");
// The AIFF file without its last byte, a pad byte, and with the FORM size to match.
std::string WithoutFinalPad(std::string file);

// Offset of the first sample byte: after the "data" header of a WAV file or the
// "SSND" header of an AIFF file.
size_t SampleStart(const std::string& file);

class CAudioInFile;

// Everything a reader hands out, read in order; reading stops at the first piece
// that fails (its result is kept, later results stay 0). Then the rate and the reason
// of the last failure.
struct ReaderRun {
    long head = 0;
    long middle = 0;
    long data = 0;
    long trailer = 0;
    std::string headPiece;
    std::string middlePiece;
    std::string trailerPiece;
    // Interleaved, in steps of the file's integer format or as floats.
    std::vector<double> samples;
    // The result that ended the frames: 0 at the end, -2 when the data was cut.
    long end = 0;
    uint32_t rate = 0;
    std::string problem;
    std::string warning;

    bool operator==(const ReaderRun&) const = default;
};
ReaderRun RunReader(CAudioInFile& reader);
// RunReader with the reader the first bytes call for, AIFF for "FORM", else WAV: over
// the file at path, or over bytes in memory.
ReaderRun ReadFile(const std::string& path);
ReaderRun ReadBytes(const std::string& bytes);
