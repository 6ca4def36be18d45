#include "audio/OpenSoundFile.h"
#include "audio/AudioFixtures.h"
#include "audio/CAIFFin.h"
#include "audio/CSndFile.h"
#include "audio/CWAVin.h"

#include "TestSupport.h"

#include <cstdlib>
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
    // A terminal is refused rather than waited on. (Pipes are read once, into a
    // temporary file: see qen filter's test of standard input.)
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal) | unlockpt(terminal), 0);
    EXPECT_EQ(Outcome(ptsname(terminal)), "-1 cannot open: it is a terminal");
    close(terminal);
    EXPECT_EQ(Outcome(dir.Path()), "-1 cannot open: it is a folder");
}

} // namespace
