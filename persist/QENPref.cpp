#include "persist/QENPref.h"

#include "core/AtomicFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

void PutLittle32(uint8_t* out, uint32_t value) {
    for (int b = 0; b < 4; ++b) {
        out[b] = static_cast<uint8_t>(value >> (8 * b));
    }
}

// Reads the 4-byte field at offset when the record reaches that far; bytes beyond a
// short record keep the field's current value.
void OverlayLittle32(const uint8_t* bytes, size_t size, size_t offset, uint32_t* field) {
    uint8_t current[4];
    PutLittle32(current, *field);
    for (size_t b = 0; b < 4 && offset + b < size; ++b) {
        current[b] = bytes[offset + b];
    }
    *field = static_cast<uint32_t>(current[0]) | static_cast<uint32_t>(current[1]) << 8 |
             static_cast<uint32_t>(current[2]) << 16 | static_cast<uint32_t>(current[3]) << 24;
}

void OverlaySigned32(const uint8_t* bytes, size_t size, size_t offset, int32_t* field) {
    uint32_t raw = static_cast<uint32_t>(*field);
    OverlayLittle32(bytes, size, offset, &raw);
    *field = static_cast<int32_t>(raw);
}

} // namespace

int32_t UsableSampleRate(int32_t stored) {
    return stored >= kMinSampleRate && stored <= kMaxSampleRate ? stored : kDefaultSampleRate;
}

bool operator==(const QENColourPref& a, const QENColourPref& b) {
    return a.clrTrace == b.clrTrace && a.clrBack == b.clrBack && a.clrGrid == b.clrGrid &&
           a.clrPole == b.clrPole && a.clrZero == b.clrZero;
}

std::array<uint8_t, kPrefRecordSize> EncodePrefs(const QENPref& prefs) {
    std::array<uint8_t, kPrefRecordSize> record{};
    const QENColourPref& c = prefs.colourPref;
    PutLittle32(&record[0], c.clrTrace);
    PutLittle32(&record[4], c.clrBack);
    PutLittle32(&record[8], c.clrGrid);
    PutLittle32(&record[12], c.clrPole);
    PutLittle32(&record[16], c.clrZero);
    PutLittle32(&record[20], static_cast<uint32_t>(prefs.unitPref));
    PutLittle32(&record[24], static_cast<uint32_t>(prefs.sampleFreqPref));
    record[28] = prefs.confirmPref ? 1 : 0;
    std::memcpy(&record[29], prefs.padding.data(), prefs.padding.size());
    return record;
}

void DecodePrefs(const uint8_t* bytes, size_t size, QENPref* prefs) {
    size = size < kPrefRecordSize ? size : kPrefRecordSize;
    QENColourPref& c = prefs->colourPref;
    OverlayLittle32(bytes, size, 0, &c.clrTrace);
    OverlayLittle32(bytes, size, 4, &c.clrBack);
    OverlayLittle32(bytes, size, 8, &c.clrGrid);
    OverlayLittle32(bytes, size, 12, &c.clrPole);
    OverlayLittle32(bytes, size, 16, &c.clrZero);
    OverlaySigned32(bytes, size, 20, &prefs->unitPref);
    OverlaySigned32(bytes, size, 24, &prefs->sampleFreqPref);
    if (size > 28) {
        prefs->confirmPref = bytes[28] != 0;
    }
    for (size_t b = 0; b < prefs->padding.size() && 29 + b < size; ++b) {
        prefs->padding[b] = bytes[29 + b];
    }
}

std::string ChoosePrefPath(bool inCurrentFolder, const std::string& xdgConfigHome,
                           const std::string& home) {
    const std::string inFolder = std::string("/WinQEN/") + kPrefFileName;
    if (inCurrentFolder) {
        return kPrefFileName;
    }
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        return xdgConfigHome + inFolder;
    }
    if (!home.empty()) {
        return home + "/.config" + inFolder;
    }
    return kPrefFileName;
}

std::string PrefFilePath() {
    const auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    std::error_code error;
    const bool here = std::filesystem::is_regular_file(kPrefFileName, error);
    return ChoosePrefPath(here, env("XDG_CONFIG_HOME"), env("HOME"));
}

void ReadPrefFile(QENPref* prefs, const std::string& path) {
    if (prefs == nullptr) {
        return;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return;
    }
    uint8_t record[kPrefRecordSize];
    const size_t got = std::fread(record, 1, sizeof record, file);
    std::fclose(file);
    DecodePrefs(record, got, prefs);
}

bool WritePrefFile(const QENPref& prefs, const std::string& path) {
    const auto record = EncodePrefs(prefs);
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
}
