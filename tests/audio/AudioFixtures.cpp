#include "audio/AudioFixtures.h"

#include "audio/CAIFFin.h"
#include "audio/CWAVin.h"
#include "audio/FileSource.h"
#include "audio/MemorySource.h"

#include <cmath>
#include <fstream>
#include <memory>

std::string LE16(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8)};
}
std::string LE32(uint32_t v) {
    return LE16(v) + LE16(v >> 16);
}
std::string BE16(uint32_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v)};
}
std::string BE32(uint32_t v) {
    return BE16(v >> 16) + BE16(v);
}

std::string Extended(double rate) {
    if (rate == 0.0) {
        return std::string(10, '\0');
    }
    int exponent = 0;
    const double fraction = std::frexp(rate, &exponent);
    const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    return BE16(static_cast<uint32_t>(16383 + exponent - 1)) +
           BE32(static_cast<uint32_t>(mantissa >> 32)) + BE32(static_cast<uint32_t>(mantissa));
}

std::string WavChunk(const std::string& id, const std::string& body) {
    return id + LE32(static_cast<uint32_t>(body.size())) + body +
           std::string(body.size() % 2, '\0');
}

std::string AiffChunk(const std::string& id, const std::string& body) {
    return id + BE32(static_cast<uint32_t>(body.size())) + body +
           std::string(body.size() % 2, '\0');
}

std::string WavFormat(int channels, int bits, uint32_t rate, int tag) {
    const uint32_t align = static_cast<uint32_t>(channels * bits / 8);
    return WavChunk("fmt ", LE16(static_cast<uint32_t>(tag)) +
                                LE16(static_cast<uint32_t>(channels)) + LE32(rate) +
                                LE32(rate * align) + LE16(align) +
                                LE16(static_cast<uint32_t>(bits)));
}

std::string WavFile(const std::string& format, const std::string& before,
                    const std::string& samples, const std::string& after) {
    const std::string body = "WAVE" + format + before + WavChunk("data", samples) + after;
    return "RIFF" + LE32(static_cast<uint32_t>(body.size())) + body;
}

std::string AiffComm(int channels, int bits, uint32_t frames, double rate) {
    return AiffChunk("COMM", BE16(static_cast<uint32_t>(channels)) + BE32(frames) +
                                 BE16(static_cast<uint32_t>(bits)) + Extended(rate));
}

std::string AiffFile(const std::string& chunks, const std::string& type) {
    return "FORM" + BE32(static_cast<uint32_t>(4 + chunks.size())) + type + chunks;
}

std::string AiffSound(const std::string& samples, const std::string& offset) {
    return AiffChunk("SSND",
                     BE32(static_cast<uint32_t>(offset.size())) + BE32(0) + offset + samples);
}

std::string WithoutFinalPad(std::string file) {
    file.pop_back();
    return file.replace(4, 4, BE32(static_cast<uint32_t>(file.size() - 8)));
}

size_t SampleStart(const std::string& file) {
    const bool wav = file.compare(0, 4, "RIFF") == 0;
    for (size_t at = 12; at + 8 <= file.size();) {
        const auto byte = [&file](size_t i) {
            return static_cast<uint32_t>(static_cast<uint8_t>(file[i]));
        };
        const uint32_t size =
            wav ? byte(at + 4) | byte(at + 5) << 8 | byte(at + 6) << 16 | byte(at + 7) << 24
                : byte(at + 4) << 24 | byte(at + 5) << 16 | byte(at + 6) << 8 | byte(at + 7);
        const std::string id = file.substr(at, 4);
        if (id == "data") {
            return at + 8;
        }
        if (id == "SSND") {
            return at + 16 +
                   (byte(at + 8) << 24 | byte(at + 9) << 16 | byte(at + 10) << 8 | byte(at + 11));
        }
        at += 8 + size + size % 2;
    }
    return file.size();
}

namespace {

std::string Text(const std::vector<uint8_t>& piece) {
    return std::string(piece.begin(), piece.end());
}

void ReadPieces(CAudioInFile& reader, ReaderRun& run) {
    std::vector<uint8_t> piece;
    if (reader.OpenFile() != 0 || (run.head = reader.ReadHeadInfo(&piece)) < 1) {
        return;
    }
    run.headPiece = Text(piece);
    if ((run.middle = reader.ReadMiddleInfo(&piece)) < 0) {
        return;
    }
    run.middlePiece = Text(piece);
    if ((run.data = reader.ReadDataHeader(&piece)) < 1) {
        return;
    }
    std::vector<double> frame(static_cast<size_t>(reader.GetChannels()));
    while ((run.end = reader.ReadFrames(frame.data(), 1)) > 0) {
        run.samples.insert(run.samples.end(), frame.begin(), frame.end());
    }
    run.trailer = reader.GetPadding(&piece);
    run.trailerPiece = Text(piece);
}

ReaderRun ReadAs(bool aiff, std::unique_ptr<ByteSource> source) {
    if (aiff) {
        CAIFFin reader(std::move(source));
        return RunReader(reader);
    }
    CWAVin reader(std::move(source));
    return RunReader(reader);
}

} // namespace

ReaderRun RunReader(CAudioInFile& reader) {
    ReaderRun run;
    ReadPieces(reader, run);
    run.rate = reader.GetSampleRate();
    run.warning = reader.Warning();
    run.problem = reader.Problem();
    return run;
}

ReaderRun ReadFile(const std::string& path) {
    std::string magic(4, '\0');
    std::ifstream(path, std::ios::binary).read(magic.data(), 4);
    return ReadAs(magic == "FORM", std::make_unique<FileSource>(path));
}

ReaderRun ReadBytes(const std::string& bytes) {
    return ReadAs(bytes.compare(0, 4, "FORM") == 0,
                  std::make_unique<MemorySource>(std::vector<uint8_t>(bytes.begin(), bytes.end())));
}
