#include "audio/CAIFFout.h"
#include "audio/CWAVout.h"

#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Writes the frames between guard pieces and returns the file's bytes.
template <class Writer>
std::string WriteFrames(int sampleSize, bool stereo, const std::vector<tSample>& frames) {
    TempDir dir;
    Writer writer(dir.File("out"));
    EXPECT_EQ(writer.OpenFile(), 0);
    writer.SetSampleSize(sampleSize);
    writer.SetStereo(stereo);
    EXPECT_EQ(writer.WriteHeadInfo({'<'}), 0);
    for (const tSample& frame : frames) {
        EXPECT_EQ(writer.PutNextSample(frame), 0);
    }
    EXPECT_EQ(writer.PutPadding({'>'}), 0);
    EXPECT_EQ(writer.CloseFile(), 0);
    return ReadFileBytes(dir.File("out"));
}

TEST(CAudioOutFile, SamplesAreTruncatedTowardZeroInEachCoding) {
    const std::vector<tSample> frames = {{-65537, -65535}, {INT32_MIN, INT32_MAX}, {0, 255 << 16}};
    EXPECT_EQ(WriteFrames<CWAVout>(2, true, frames),
              std::string("<\xFF\xFF\x00\x00\x00\x80\xFF\x7F\x00\x00\xFF\x00>", 14));
    EXPECT_EQ(WriteFrames<CWAVout>(1, false, frames), std::string("<\x80\x00\x80>", 5));
    EXPECT_EQ(WriteFrames<CAIFFout>(1, true, frames), std::string("<\x00\x00\x80\x7F\x00\x00>", 8));
    EXPECT_EQ(WriteFrames<CAIFFout>(3, false, {{-256, 0}, {-257, 0}, {0x12345678, 0}}),
              std::string("<\xFF\xFF\xFF\xFF\xFF\xFF\x12\x34\x56>", 11));
}

TEST(CAudioOutFile, OnlyAFinishedFileReplacesThePath) {
    TempDir dir;
    const std::string path = dir.File("out.wav");
    WriteFileBytes(path, "old");
    chmod(path.c_str(), 0600);
    {
        CWAVout abandoned(path);
        ASSERT_EQ(abandoned.OpenFile(), 0);
        EXPECT_EQ(abandoned.OpenFile(), -3);
        abandoned.WriteHeadInfo({'n', 'e', 'w'});
        abandoned.DiscardFile();
        EXPECT_EQ(abandoned.WriteHeadInfo({'x'}), -1);
        EXPECT_EQ(abandoned.CloseFile(), -2);
    }
    {
        CWAVout dropped(path);
        ASSERT_EQ(dropped.OpenFile(), 0);
        dropped.WriteHeadInfo({'n', 'e', 'w'});
    }
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    const mode_t previous = umask(027);
    CAIFFout fresh(dir.File("new.aiff"));
    ASSERT_EQ(fresh.OpenFile(), 0);
    ASSERT_EQ(fresh.CloseFile(), 0);
    umask(previous);
    struct stat st {};
    ASSERT_EQ(stat(dir.File("new.aiff").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // The temporary file moved away with its folder: the rename fails, and says so.
    std::filesystem::create_directory(dir.File("sub"));
    CWAVout moved(dir.File("sub/out.wav"));
    ASSERT_EQ(moved.OpenFile(), 0);
    std::filesystem::rename(dir.File("sub"), dir.File("elsewhere"));
    EXPECT_EQ(moved.CloseFile(), -1);
    EXPECT_FALSE(moved.Problem().empty());

    CWAVout folder(dir.Path());
    EXPECT_EQ(folder.OpenFile(), -1);
    CWAVout nowhere(dir.File("missing/out.wav"));
    EXPECT_EQ(nowhere.OpenFile(), -1);
    EXPECT_FALSE(nowhere.Problem().empty());
}

} // namespace
