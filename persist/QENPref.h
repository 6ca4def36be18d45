#pragma once

#include "filter/SampleRate.h"

#include <array>
#include <cstdint>
#include <string>

// Colours are 0x00BBGGRR: red in the lowest byte.
struct QENColourPref {
    uint32_t clrTrace = 0x00008000;
    uint32_t clrBack = 0x00C0C0C0;
    uint32_t clrGrid = 0x00000000;
    uint32_t clrPole = 0x000000FF;
    uint32_t clrZero = 0x00FF0000;
};

bool operator==(const QENColourPref& a, const QENColourPref& b);

// The user's preferences; a default-constructed record holds the defaults.
struct QENPref {
    QENColourPref colourPref;
    // Grid units as the menu command id: 124 polar radians, 125 polar degrees,
    // 126 cartesian.
    int32_t unitPref = 125;
    // Sampling rate in Hz.
    int32_t sampleFreqPref = kDefaultSampleRate;
    // Ask before quitting through Exit and before deleting with the keyboard.
    bool confirmPref = true;
    // The three bytes after the flag in the file, kept so they are written back as read.
    std::array<uint8_t, 3> padding{};
};

// The sampling rates the program works at, in whole Hz.
inline constexpr int32_t kMinSampleRate = 1;
inline constexpr int32_t kMaxSampleRate = 1000000;
// A stored rate as the program uses it: kDefaultSampleRate where it lies outside
// kMinSampleRate ... kMaxSampleRate.
int32_t UsableSampleRate(int32_t stored);

inline constexpr const char* kPrefFileName = "WinQEN.ini";
inline constexpr size_t kPrefRecordSize = 32;

// The 32-byte file record, integers little-endian, whatever the host byte order.
std::array<uint8_t, kPrefRecordSize> EncodePrefs(const QENPref& prefs);
// Overlays the first size bytes of a record (at most 32) on prefs; a short record
// leaves the later fields as they were.
void DecodePrefs(const uint8_t* bytes, size_t size, QENPref* prefs);

// Where the preferences file lives: kPrefFileName in the current folder when one
// stands there (older setups keep theirs there), else WinQEN/WinQEN.ini under
// xdgConfigHome when that is an absolute path, else under home's ".config"; the bare
// name when neither is known.
std::string ChoosePrefPath(bool inCurrentFolder, const std::string& xdgConfigHome,
                           const std::string& home);
// ChoosePrefPath for this process's current folder and environment.
std::string PrefFilePath();

// Reads the preferences file over prefs. A missing or unreadable file leaves prefs as
// it is; a short file replaces only the leading fields. The file's content is not
// validated here.
void ReadPrefFile(QENPref* prefs, const std::string& path = kPrefFileName);
// Writes the 32-byte record atomically, making its folder first when needed; false
// when it could not be written.
bool WritePrefFile(const QENPref& prefs, const std::string& path = kPrefFileName);
