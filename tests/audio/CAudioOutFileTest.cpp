#include "audio/CAudioOutFile.h"

#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(CAudioOutFile, OnlyAFinishedFileReplacesThePath) {
    TempDir dir;
    const std::string path = dir.File("out.wav");
    WriteFileBytes(path, "old");
    chmod(path.c_str(), 0600);
    {
        CAudioOutFile abandoned(path);
        ASSERT_EQ(abandoned.OpenFile(), 0);
        EXPECT_EQ(abandoned.OpenFile(), -3);
        abandoned.WritePiece({'n', 'e', 'w'});
        abandoned.DiscardFile();
        EXPECT_EQ(abandoned.WritePiece({'x'}), -1);
        EXPECT_EQ(abandoned.CloseFile(), -2);
    }
    {
        CAudioOutFile dropped(path);
        ASSERT_EQ(dropped.OpenFile(), 0);
        dropped.WritePiece({'n', 'e', 'w'});
    }
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    const mode_t previous = umask(027);
    CAudioOutFile fresh(dir.File("new.aiff"));
    ASSERT_EQ(fresh.OpenFile(), 0);
    ASSERT_EQ(fresh.CloseFile(), 0);
    umask(previous);
    struct stat st {};
    ASSERT_EQ(stat(dir.File("new.aiff").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // The temporary file moved away with its folder: the rename fails, and says so.
    std::filesystem::create_directory(dir.File("sub"));
    CAudioOutFile moved(dir.File("sub/out.wav"));
    ASSERT_EQ(moved.OpenFile(), 0);
    std::filesystem::rename(dir.File("sub"), dir.File("elsewhere"));
    EXPECT_EQ(moved.CloseFile(), -1);
    EXPECT_FALSE(moved.Problem().empty());

    CAudioOutFile folder(dir.Path());
    EXPECT_EQ(folder.OpenFile(), -1);
    CAudioOutFile nowhere(dir.File("missing/out.wav"));
    EXPECT_EQ(nowhere.OpenFile(), -1);
    EXPECT_FALSE(nowhere.Problem().empty());
}

} // namespace
