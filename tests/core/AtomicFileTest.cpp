#include "core/AtomicFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

size_t EntriesIn(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) {
        ++n;
    }
    return n;
}

TEST(AtomicFileTest, NewFileGetsUmaskPermissions) {
    TempDir dir;
    const mode_t old = umask(022);
    ASSERT_TRUE(WriteFileAtomically(dir.File("a.txt"), "hello"));
    umask(old);
    struct stat st {};
    ASSERT_EQ(stat(dir.File("a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    EXPECT_EQ(ReadFileBytes(dir.File("a.txt")), "hello");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFileTest, ReplacedFileKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.File("b.txt");
    WriteFileBytes(path, "old");
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadFileBytes(path), "new");
}

TEST(AtomicFileTest, DiscardedWriteLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("c.txt");
    WriteFileBytes(path, "precious");
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("partial"));
    }
    EXPECT_EQ(ReadFileBytes(path), "precious");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicFileTest, UnwritableTargetsFail) {
    TempDir dir;
    EXPECT_FALSE(WriteFileAtomically(dir.File("missing/d.txt"), "x"));
    if (geteuid() != 0) {
        const std::string path = dir.File("ro.txt");
        WriteFileBytes(path, "keep");
        chmod(path.c_str(), 0444);
        EXPECT_FALSE(WriteFileAtomically(path, "x"));
        EXPECT_EQ(ReadFileBytes(path), "keep");
    }
}

TEST(AtomicFileTest, AFailedWriteIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("big.txt");
    WriteFileBytes(path, "old");
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
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
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

} // namespace
