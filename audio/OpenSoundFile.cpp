#include "audio/OpenSoundFile.h"

#include "audio/AIFF.h"
#include "audio/CAIFFin.h"
#include "audio/CSndFile.h"
#include "audio/CWAVin.h"
#include "audio/FileSource.h"
#include "audio/WAV.h"

#include <array>
#include <vector>

namespace {

const char* const kReadable =
    "readable are WAV, AIFF and AIFF-C of 8- to 32-bit integer or 32- or 64-bit float "
    "samples in 1 to 64 channels, and FLAC, RF64, W64, CAF, Ogg Vorbis, Opus and MP3";

using Descriptor = std::shared_ptr<const FileSource::Descriptor>;

// The native reader that the first bytes call for, or null.
std::unique_ptr<CAudioInFile> NativeReader(const Descriptor& file) {
    FileSource probe(file);
    std::string ignored;
    std::array<uint8_t, 12> head{};
    if (!probe.Open(&ignored)) {
        return nullptr;
    }
    if (ReadAIFFHead(probe, head) != 0) {
        return std::make_unique<CAIFFin>(std::make_unique<FileSource>(file));
    }
    if (probe.Seek(0) && ReadWAVHead(probe, head) >= 0) {
        return std::make_unique<CWAVin>(std::make_unique<FileSource>(file));
    }
    return nullptr;
}

// Opens reader and reads its headers; false with reader's reason.
bool Probe(CAudioInFile& reader) {
    if (reader.OpenFile() != 0) {
        return false;
    }
    std::vector<uint8_t> piece;
    const bool read = reader.ReadHeadInfo(&piece) >= 0 && reader.ReadMiddleInfo(&piece) >= 0 &&
                      reader.ReadDataHeader(&piece) >= 0;
    reader.CloseFile();
    return read;
}

} // namespace

std::unique_ptr<CAudioInFile> OpenSoundFile(const std::string& path, int* code,
                                            std::string* problem) {
    const Descriptor file = FileSource::OpenInput(path, problem);
    if (file == nullptr) {
        *code = -1;
        return nullptr;
    }
    std::unique_ptr<CAudioInFile> reader = NativeReader(file);
    // What the native readers refuse may still be read by the general library.
    std::string refusal;
    if (reader != nullptr && !Probe(*reader)) {
        refusal = reader->Problem();
        reader.reset();
    }
    if (reader == nullptr) {
        auto general = std::make_unique<CSndFile>(std::make_unique<FileSource>(file));
        if (!Probe(*general)) {
            *code = -2;
            *problem = (refusal.empty() ? general->Problem() : refusal) + "; " + kReadable;
            return nullptr;
        }
        reader = std::move(general);
    }
    return reader;
}
