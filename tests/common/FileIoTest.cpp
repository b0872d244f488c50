#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "common/FileIo.h"

namespace vellomir {
namespace {

TEST(FileIoTest, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    auto file = dir / "settings.conf";
    ASSERT_TRUE(WriteFileAtomically(file, "first"));
    ASSERT_TRUE(WriteFileAtomically(file, "second"));
    EXPECT_EQ(ReadWholeFile(file).value(), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FileIoTest, FailedWriteKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    test::TempDir dir;
    auto file = dir / "keep.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    std::filesystem::permissions(dir.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(WriteFileAtomically(file, "new"));
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(ReadWholeFile(file).value(), "old");
}

TEST(FileIoTest, WriteIntoMissingFolderFailsCleanly) {
    test::TempDir dir;
    EXPECT_FALSE(WriteFileAtomically(dir / "no/such/folder/x", "data"));
    EXPECT_FALSE(ReadWholeFile(dir / "missing").has_value());
}

TEST(FileIoTest, ReadRefusesFilesAboveTheLimit) {
    test::TempDir dir;
    auto file = dir.Write("big.bin", std::string(1000, 'x'));
    EXPECT_FALSE(ReadWholeFile(file, 999).has_value());
    EXPECT_TRUE(ReadWholeFile(file, 1000).has_value());
}

}  // namespace
}  // namespace vellomir
