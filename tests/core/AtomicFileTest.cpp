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

// A link stays a link and its target is written, through a chain of links, relative
// or absolute, and also when the target does not exist yet; a loop is refused.
TEST(AtomicFileTest, WritesThroughSymbolicLinks) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("sub"));
    WriteFileBytes(dir.File("real.txt"), "old");
    ASSERT_EQ(symlink(dir.File("real.txt").c_str(), dir.File("link.txt").c_str()), 0);
    ASSERT_EQ(symlink("../link.txt", dir.File("sub/chain.txt").c_str()), 0);
    ASSERT_EQ(symlink("sub/new.txt", dir.File("dangling.txt").c_str()), 0);
    ASSERT_EQ(symlink("loop.txt", dir.File("loop.txt").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File("sub/chain.txt"), "new"));
    ASSERT_TRUE(WriteFileAtomically(dir.File("dangling.txt"), "created"));
    EXPECT_FALSE(WriteFileAtomically(dir.File("loop.txt"), "x"));
    for (const char* link : {"link.txt", "sub/chain.txt", "dangling.txt", "loop.txt"}) {
        EXPECT_TRUE(std::filesystem::is_symlink(dir.File(link))) << link;
    }
    EXPECT_EQ(ReadFileBytes(dir.File("real.txt")), "new");
    EXPECT_EQ(ReadFileBytes(dir.File("sub/new.txt")), "created");
    EXPECT_EQ(EntriesIn(dir.Path()), 5);
    EXPECT_EQ(EntriesIn(dir.File("sub")), 2);
}

// The temporary file's name is the target's shortened as far as it must be, so that any
// name the folder takes can be written.
TEST(AtomicFileTest, WritesNamesOfAnyValidLength) {
    TempDir dir;
    for (const size_t length : {1, 240, 241, 255}) {
        const std::string path = dir.File(std::string(length, 'n'));
        EXPECT_TRUE(WriteFileAtomically(path, "x")) << length;
        EXPECT_EQ(ReadFileBytes(path), "x");
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 4);
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
