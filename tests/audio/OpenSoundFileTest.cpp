#include "audio/OpenSoundFile.h"
#include "audio/AudioFixtures.h"
#include "audio/CAIFFin.h"
#include "audio/CSndFile.h"
#include "audio/CWAVin.h"

#include "TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reader's kind, or what OpenSoundFile said instead.
std::string Outcome(const std::string& path) {
    int code = 0;
    std::string problem;
    const std::unique_ptr<CAudioInFile> reader = OpenSoundFile(path, &code, &problem);
    if (reader == nullptr) {
        return std::to_string(code) + " " + problem;
    }
    return dynamic_cast<CWAVin*>(reader.get()) != nullptr     ? "WAV"
           : dynamic_cast<CAIFFin*>(reader.get()) != nullptr  ? "AIFF"
           : dynamic_cast<CSndFile*>(reader.get()) != nullptr ? "library"
                                                              : "?";
}

// The native readers take their own formats, so that the header bytes pass unchanged;
// the library takes the rest (here a Sun audio file); a native reader's refusal is the
// reason given, since the library's would only say it does not know the format.
TEST(OpenSoundFile, TakesEachFileWithItsReaderOrSaysWhyNot) {
    const TempDir dir;
    const std::string wav = WavFile(WavFormat(1, 16), "", "ab");
    const struct {
        const char* name;
        std::string bytes;
        const char* outcome;
    } cases[] = {
        {"WAV", wav, "WAV"},
        {"AIFF", AiffFile(AiffComm(1, 16, 1) + AiffSound("ab")), "AIFF"},
        {"AU", ".snd" + BE32(24) + BE32(2) + BE32(3) + BE32(8000) + BE32(1) + "ab", "library"},
        {"WAV without fmt", "RIFF" + LE32(16) + "WAVE" + WavChunk("data", "ab"),
         "-2 no \"fmt \" chunk; readable are WAV, AIFF"},
        {"text", "neither", "-2 not a sound file that can be read"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir.File(c.name), c.bytes);
        EXPECT_EQ(Outcome(dir.File(c.name)).rfind(c.outcome, 0), 0u)
            << c.name << ": " << Outcome(dir.File(c.name));
    }
    EXPECT_EQ(Outcome(dir.File("missing")), "-1 cannot open: No such file or directory");
    // A pipe cannot be read twice, once to choose the reader and once to read it. A
    // writer kept open lets the pipe open without waiting.
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const int writer = open(dir.File("pipe").c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(write(writer, wav.data(), wav.size()), static_cast<ssize_t>(wav.size()));
    EXPECT_EQ(Outcome(dir.File("pipe")), "-1 cannot open: not a regular file");
    close(writer);
}

} // namespace
