#include "update/UnzipToFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <set>

#include "TempDir.h"
#include "TestProcess.h"
#include "ZipWriter.h"
#include "common/FileIo.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// Every file, folder and link below `root`, relative to it, folders ending in '/'.
std::set<std::string> Tree(const fs::path& root) {
    std::set<std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_symlink())
            name += "@";
        else if (entry.is_directory())
            name += "/";
        out.insert(name);
    }
    return out;
}

std::time_t ModifiedTime(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtime;
}

class UnzipToFolderTest : public ::testing::Test {
protected:
    test::TempDir root_;
    fs::path archive_ = root_ / "update.zip";
    fs::path target_ = root_ / "user" / "temp";
};

TEST_F(UnzipToFolderTest, UnpacksNestedFoldersMadeByTheZipTool) {
    test::TempDir source;
    source.Write("setup/bin/tool.run", "#!/bin/sh\nexit 0\n");
    source.Write("setup/doc/readme.txt", "new text");
    fs::create_directories(source / "setup" / "empty");
    fs::permissions(source / "setup/bin/tool.run", fs::perms(0755));
    utimbuf when{1600000000, 1600000000};
    ::utime((source / "setup/doc/readme.txt").c_str(), &when);
    ASSERT_EQ(test::RunProgram({"zip", "-q", "-r", archive_.string(), "setup"}, source.path()), 0);
    root_.Write("user/temp/setup/doc/readme.txt", "old text that is replaced");

    EXPECT_TRUE(UnzipToFolder(archive_, target_));
    EXPECT_EQ(Tree(target_), (std::set<std::string>{"setup/", "setup/bin/", "setup/bin/tool.run",
                                                    "setup/doc/", "setup/doc/readme.txt", "setup/empty/"}));
    EXPECT_EQ(ReadWholeFile(target_ / "setup/doc/readme.txt"), "new text");
    EXPECT_EQ(ReadWholeFile(target_ / "setup/bin/tool.run"), "#!/bin/sh\nexit 0\n");
    EXPECT_NE(fs::status(target_ / "setup/bin/tool.run").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_EQ(ModifiedTime(target_ / "setup/doc/readme.txt"), 1600000000);
}

TEST_F(UnzipToFolderTest, SomethingElseThanAZipIsRefusedAndLeftAlone) {
    root_.Write("update.zip", "<html><body>404 Not Found</body></html>");
    EXPECT_FALSE(UnzipToFolder(archive_, target_));
    EXPECT_EQ(ReadWholeFile(archive_), "<html><body>404 Not Found</body></html>");
    EXPECT_FALSE(UnzipToFolder(root_ / "missing.zip", target_));

    // A real archive cut short loses its directory and cannot be opened either.
    ASSERT_TRUE(test::WriteZip(archive_, {{.name = "a.txt", .data = std::string(5000, 'a')}}));
    fs::resize_file(archive_, fs::file_size(archive_) / 2);
    EXPECT_FALSE(UnzipToFolder(archive_, target_));
    EXPECT_FALSE(fs::exists(target_ / "a.txt"));
}

TEST_F(UnzipToFolderTest, HostileNamesStayInsideTheFolder) {
    std::vector<test::ZipEntrySpec> entries;
    for (const char* name :
         {"../../Windows/x.dll", "C:x.dll", "/abs/evil.txt", "..\\..\\back\\slash.txt", "C:../climb.txt",
          "C:\\..\\drive.txt", "sub\\win.txt", "deep/../../../up.txt", "..", "../", "tail/.."}) {
        entries.push_back({.name = name, .data = name});
    }
    ASSERT_TRUE(test::WriteZip(archive_, entries));
    EXPECT_TRUE(UnzipToFolder(archive_, target_));

    EXPECT_EQ(ReadWholeFile(target_ / "Windows/x.dll"), "../../Windows/x.dll");
    EXPECT_EQ(ReadWholeFile(target_ / "x.dll"), "C:x.dll");
    EXPECT_EQ(ReadWholeFile(target_ / "abs/evil.txt"), "/abs/evil.txt");
    EXPECT_EQ(ReadWholeFile(target_ / "back/slash.txt"), "..\\..\\back\\slash.txt");
    EXPECT_EQ(ReadWholeFile(target_ / "climb.txt"), "C:../climb.txt");
    EXPECT_EQ(ReadWholeFile(target_ / "sub/win.txt"), "sub\\win.txt");
    EXPECT_EQ(ReadWholeFile(target_ / "tail"), "tail/..");
    // Nothing at all outside the target folder.
    EXPECT_EQ(Tree(root_.path()),
              (std::set<std::string>{"update.zip", "user/", "user/temp/", "user/temp/Windows/",
                                     "user/temp/Windows/x.dll", "user/temp/x.dll", "user/temp/abs/",
                                     "user/temp/abs/evil.txt", "user/temp/back/", "user/temp/back/slash.txt",
                                     "user/temp/climb.txt", "user/temp/drive.txt", "user/temp/sub/",
                                     "user/temp/sub/win.txt", "user/temp/up.txt", "user/temp/tail"}));
}

TEST_F(UnzipToFolderTest, LinksAreNeitherCreatedNorFollowed) {
    test::TempDir outside;
    outside.Write("secret.txt", "keep");

    // A link stored by the zip tool, and one made by hand that later entries would write through.
    test::TempDir source;
    fs::create_directory_symlink(outside.path(), source / "tool-link");
    source.Write("plain.txt", "plain");
    ASSERT_EQ(test::RunProgram({"zip", "-q", "-y", (root_ / "tool.zip").string(), "tool-link", "plain.txt"},
                               source.path()),
              0);
    EXPECT_TRUE(UnzipToFolder(root_ / "tool.zip", target_));
    EXPECT_EQ(Tree(target_), (std::set<std::string>{"plain.txt"}));

    ASSERT_TRUE(
        test::WriteZip(archive_, {{.name = "link", .data = outside.path().string(), .unixMode = 0120777},
                                  {.name = "link/secret.txt", .data = "overwritten"},
                                  {.name = "fifo", .data = "", .unixMode = 010644}}));
    // A link already in the folder is not followed either; a file entry of its name replaces the link.
    fs::create_directory_symlink(outside.path(), target_ / "trap");
    ASSERT_TRUE(test::WriteZip(root_ / "trap.zip", {{.name = "trap/secret.txt", .data = "overwritten"}}));
    EXPECT_TRUE(UnzipToFolder(archive_, target_));
    EXPECT_TRUE(UnzipToFolder(root_ / "trap.zip", target_));
    ASSERT_TRUE(test::WriteZip(root_ / "replace.zip", {{.name = "trap", .data = "a file now"}}));
    EXPECT_TRUE(UnzipToFolder(root_ / "replace.zip", target_));

    EXPECT_EQ(ReadWholeFile(outside / "secret.txt"), "keep");
    EXPECT_EQ(Tree(outside.path()), (std::set<std::string>{"secret.txt"}));
    EXPECT_EQ(ReadWholeFile(target_ / "link/secret.txt"), "overwritten");
    EXPECT_FALSE(fs::is_symlink(target_ / "link"));
    EXPECT_FALSE(fs::exists(target_ / "fifo"));
    EXPECT_FALSE(fs::is_symlink(target_ / "trap"));
    EXPECT_EQ(ReadWholeFile(target_ / "trap"), "a file now");
}

TEST_F(UnzipToFolderTest, EntryInflatingBeyondItsSizeIsSkippedAndTheRestUnpacked) {
    root_.Write("user/temp/bomb.bin", "the earlier file");
    ASSERT_TRUE(test::WriteZip(archive_,
                               {{.name = "bomb.bin", .data = std::string(8 << 20, '\0'), .claimedSize = 1000},
                                {.name = "honest.bin", .data = std::string(70000, 'h'), .claimedSize = 70000},
                                {.name = "after.txt", .data = "still here"}}));
    ASSERT_LT(fs::file_size(archive_), 100000u);
    EXPECT_TRUE(UnzipToFolder(archive_, target_));
    EXPECT_EQ(ReadWholeFile(target_ / "bomb.bin"), "the earlier file");
    EXPECT_EQ(ReadWholeFile(target_ / "honest.bin"), std::string(70000, 'h'));
    EXPECT_EQ(ReadWholeFile(target_ / "after.txt"), "still here");
    // No temporary files are left behind.
    EXPECT_EQ(Tree(target_), (std::set<std::string>{"bomb.bin", "honest.bin", "after.txt"}));
}

TEST_F(UnzipToFolderTest, TimesComeFromTheTimeFieldOrTheDosDate) {
    // 2019-06-15 10:20:30 local time as a DOS date and time.
    const std::uint32_t dosDate =
        ((2019 - 1980) << 25) | (6 << 21) | (15 << 16) | (10 << 11) | (20 << 5) | 15;
    const std::string unixTime("UT\x05\x00\x01\x00\x5e\x0b\x5e", 9);  // modified 0x5E0B5E00
    ASSERT_TRUE(test::WriteZip(archive_, {{.name = "dos.txt", .data = "d", .dosDate = dosDate},
                                          {.name = "ut.txt",
                                           .data = "u",
                                           .dosDate = dosDate,
                                           .localExtra = unixTime,
                                           .centralExtra = unixTime}}));
    EXPECT_TRUE(UnzipToFolder(archive_, target_));
    std::tm local{};
    local.tm_year = 119;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 10;
    local.tm_min = 20;
    local.tm_sec = 30;
    local.tm_isdst = -1;
    EXPECT_EQ(ModifiedTime(target_ / "dos.txt"), std::mktime(&local));
    EXPECT_EQ(ModifiedTime(target_ / "ut.txt"), static_cast<std::time_t>(0x5E0B5E00));
}

TEST_F(UnzipToFolderTest, NamesAndAttributes) {
    // Python's zipfile marks non-ASCII names as UTF-8.
    ASSERT_EQ(test::RunProgram(
                  {"python3", "-c",
                   "import sys, zipfile\n"
                   "with zipfile.ZipFile(sys.argv[1], 'w') as z: z.writestr('M\\u00e4use.txt', 'utf8')",
                   (root_ / "utf8.zip").string()},
                  root_.path()),
              0);
    EXPECT_TRUE(UnzipToFolder(root_ / "utf8.zip", target_));
    ASSERT_TRUE(test::WriteZip(archive_, {{.name = "Gr\xFC\xDF"
                                                   "e.txt",
                                           .data = "ansi"},  // the ANSI code page (1252 here)
                                          {.name = "locked.txt", .data = "r", .dosAttributes = 0x01},
                                          {.name = "private.txt", .data = "p", .unixMode = 0100600},
                                          {.name = std::string(300, 'n'), .data = "too long a name"}}));
    // Names without the UTF-8 mark are read in the ANSI code page of the user's language.
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved ? saved : "";
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_TRUE(UnzipToFolder(archive_, target_));
    if (saved)
        ::setenv("LC_ALL", previous.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
    EXPECT_EQ(ReadWholeFile(target_ / "M\xC3\xA4use.txt"), "utf8");
    EXPECT_EQ(ReadWholeFile(target_ / "Gr\xC3\xBC\xC3\x9F"
                                      "e.txt"),
              "ansi");
    EXPECT_EQ(fs::status(target_ / "locked.txt").permissions() &
                  (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);
    EXPECT_EQ(fs::status(target_ / "private.txt").permissions(), fs::perms(0600));
    EXPECT_EQ(Tree(target_).size(), 4u);
}

}  // namespace
}  // namespace vellomir
