// libFuzzer target: whatever a reader takes from arbitrary bytes is written by the
// writer it makes, as the filter does, and read back. A WAV or AIFF file, whose header
// bytes the writer copies, must come back with the same channels and frame count.
#include "FuzzFile.h"
#include "audio/CAIFFin.h"
#include "audio/CSndFile.h"
#include "audio/CWAVin.h"
#include "audio/MemorySource.h"
#include "audio/OpenSoundFile.h"

#include <cstring>

namespace {

// Copies the reader into the writer; false when either fails.
bool CopyThrough(CAudioInFile& reader, CAudioOutFile& writer) {
    std::vector<uint8_t> piece;
    for (auto read : {&CAudioInFile::ReadHeadInfo, &CAudioInFile::ReadMiddleInfo,
                      &CAudioInFile::ReadDataHeader}) {
        const long length = (reader.*read)(&piece);
        if (length < 0 || (length > 0 && writer.WritePiece(piece) != 0)) {
            return false;
        }
    }
    std::vector<double> samples(1000 * static_cast<size_t>(reader.GetChannels()));
    for (long n; (n = reader.ReadFrames(samples.data(), 1000)) != 0;) {
        if (n < 0 || writer.PutFrames(samples.data(), static_cast<size_t>(n)) != 0) {
            return false;
        }
    }
    const long trailer = reader.GetPadding(&piece);
    return trailer >= 0 && (trailer == 0 || writer.WritePiece(piece) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto source = std::make_unique<MemorySource>(std::vector<uint8_t>(data, data + size));
    std::unique_ptr<CAudioInFile> reader;
    const bool native =
        size >= 4 && (std::memcmp(data, "RIFF", 4) == 0 || std::memcmp(data, "FORM", 4) == 0);
    if (!native) {
        reader = std::make_unique<CSndFile>(std::move(source));
    } else if (data[0] == 'R') {
        reader = std::make_unique<CWAVin>(std::move(source));
    } else {
        reader = std::make_unique<CAIFFin>(std::move(source));
    }
    // The frame count is known once the data header has been read; the probe reads it.
    std::vector<uint8_t> piece;
    if (reader->OpenFile() != 0 || reader->ReadHeadInfo(&piece) < 0 ||
        reader->ReadMiddleInfo(&piece) < 0 || reader->ReadDataHeader(&piece) < 0) {
        return 0;
    }
    const int64_t frames = reader->GetFrameCount();
    reader->CloseFile();
    const std::string path = OwnFuzzPath("out");
    std::unique_ptr<CAudioOutFile> writer = reader->MakeWriter(path);
    if (reader->OpenFile() != 0 || writer->OpenFile() != 0) {
        return 0;
    }
    if (!CopyThrough(*reader, *writer)) {
        writer->DiscardFile();
        return 0;
    }
    if (writer->CloseFile() != 0) {
        return 0;
    }
    int code = 0;
    std::string problem;
    const std::unique_ptr<CAudioInFile> back = OpenSoundFile(path, &code, &problem);
    if (native && (back == nullptr || back->GetChannels() != reader->GetChannels() ||
                   back->GetFrameCount() != frames)) {
        __builtin_trap();
    }
    return 0;
}
