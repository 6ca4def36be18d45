#include "core/AtomicFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long EntriesIn(const std::string& dir) {
    return std::distance(std::filesystem::directory_iterator(dir), {});
}

mode_t Permissions(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 0777;
}

TEST(AtomicFileTest, NewFilesGetTheUmaskPermissionsAndReplacedOnesKeepTheirs) {
    TempDir dir;
    const mode_t old = umask(022);
    ASSERT_TRUE(WriteFileAtomically(dir.File("a.txt"), "hello"));
    umask(old);
    EXPECT_EQ(Permissions(dir.File("a.txt")), 0644u);
    EXPECT_EQ(ReadFileBytes(dir.File("a.txt")), "hello");

    chmod(dir.File("a.txt").c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(dir.File("a.txt"), "new"));
    EXPECT_EQ(Permissions(dir.File("a.txt")), 0640u);
    EXPECT_EQ(ReadFileBytes(dir.File("a.txt")), "new");
    EXPECT_EQ(EntriesIn(dir.Path()), 1);
}

TEST(AtomicFileTest, AbandonedAndFailedWritesKeepTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("c.txt");
    WriteFileBytes(path, "precious");
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("partial"));
    }
    EXPECT_EQ(ReadFileBytes(path), "precious");

    // A file-size limit makes the write fail with EFBIG once SIGXFSZ is ignored.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteFileAtomically(path, std::string(1 << 16, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(path), "precious");
    EXPECT_EQ(EntriesIn(dir.Path()), 1);

    EXPECT_FALSE(WriteFileAtomically(dir.File("missing/d.txt"), "x"));
    if (geteuid() != 0) {
        chmod(path.c_str(), 0444);
        EXPECT_FALSE(WriteFileAtomically(path, "x"));
        EXPECT_EQ(ReadFileBytes(path), "precious");
    }
}

TEST(AtomicFileTest, WritesThroughASymbolicLink) {
    TempDir dir;
    const std::string real = dir.File("real.txt");
    const std::string link = dir.File("link.txt");
    WriteFileBytes(real, "old");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), "new");
}

// A device stays a device; a writable file in a folder that refuses new files is
// rewritten in place, cut to its new length.
TEST(AtomicFileTest, WritesIntoDevicesAndInPlaceWhereNoFileCanBeMade) {
    ASSERT_TRUE(WriteFileAtomically("/dev/null", "gone"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may create files in any folder";
    }
    TempDir dir;
    const std::string path = dir.File("kept.txt");
    WriteFileBytes(path, "a longer old text");
    chmod(dir.Path().c_str(), 0555);
    AtomicFile file(path);
    const bool opened = file.Open();
    EXPECT_EQ(file.GetMode(), AtomicFile::Mode::InPlace);
    const bool written = opened && file.Write("new") && file.Commit();
    chmod(dir.Path().c_str(), 0755);
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(EntriesIn(dir.Path()), 1);
}

} // namespace
