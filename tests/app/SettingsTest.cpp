#include <gtest/gtest.h>

#include <thread>

#include "XdgScope.h"
#include "app/AppSettings.h"
#include "app/Folders.h"
#include "app/SettingsFile.h"
#include "common/FileIo.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
    return ReadWholeFile(path).value_or("<missing>");
}

TEST(SettingsFile, FindsTheFirstLineOfANameInAnyLetterCase) {
    const std::string text = "# comment\r\nlcid = 1041\nLCID=2052\nexit_mode=\ngarbage line\n=5\n";
    EXPECT_EQ(FindSetting(text, "LCID"), "1041");
    EXPECT_EQ(FindSetting(text, "exit_mode"), "");
    EXPECT_EQ(FindSetting(text, "DeviceType"), std::nullopt);
    EXPECT_EQ(FindSetting(text, "# comment"), std::nullopt);
}

TEST(SettingsFile, ReplacingAValueKeepsEveryOtherByte) {
    const std::string text = "\x01\xFEjunk\r\nexit_mode=1\r\nLCID=2052";
    EXPECT_EQ(ReplaceSetting(text, "exit_mode", "0"), "\x01\xFEjunk\r\nexit_mode=0\r\nLCID=2052");
    EXPECT_EQ(ReplaceSetting(text, "DeviceType", "101"), text + "\nDeviceType=101\n");
    EXPECT_EQ(ReplaceSetting("", "LCID", "1033"), "LCID=1033\n");
}

class Settings : public testing::Test {
protected:
    test::XdgScope xdg;
    fs::path file = GetSettingsFile();

    void Store(std::string_view text) {
        fs::create_directories(file.parent_path());
        ASSERT_TRUE(WriteFileAtomically(file, text));
    }
};

TEST_F(Settings, FirstReadCreatesTheFileExceptForTheDeviceType) {
    EXPECT_EQ(ReadDeviceType(), 0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(WriteAppValue(kExitModeValue, "1"));  // writes never create it
    EXPECT_FALSE(fs::exists(file));

    EXPECT_EQ(ReadAppValue(kExitModeValue), 0);
    ASSERT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(FileText(file), "");

    EXPECT_TRUE(WriteAppValue(kExitModeValue, "1"));
    EXPECT_TRUE(WriteDeviceType(201));
    EXPECT_EQ(ReadAppValue(kExitModeValue), 1);
    EXPECT_EQ(ReadDeviceType(), 201);
    EXPECT_EQ(FileText(file), "exit_mode=1\nDeviceType=201\n");
}

TEST_F(Settings, LanguageReadCreatesTheFile) {
    EXPECT_EQ(ReadLanguage(), 0);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_TRUE(WriteLanguage(1041));
    EXPECT_EQ(ReadLanguage(), 1041);
}

TEST_F(Settings, StoredTextsReadAsTheirLeadingDecimal) {
    using namespace std::string_literals;
    const std::pair<std::string, int> cases[] = {
        {"exit_mode=2", 2},
        {"exit_mode= 7", 7},
        {"exit_mode=12abc", 12},
        {"exit_mode=-3", -3},
        {"exit_mode=abc", 0},
        {"exit_mode=", 0},
        {"exit_mode", 0},
        {"EXIT_MODE=1", 1},
        {"exit_mode=99999999999999", 2147483647},
        {"\xFF\xFE\x00garbage\n\x01\nexit_mode=5\n"s, 5},
        // Only the first 126 characters of a value are read.
        {"exit_mode=" + std::string(125, '0') + "12", 1},
    };
    for (auto [text, value] : cases) {
        Store(text);
        EXPECT_EQ(ReadAppValue(kExitModeValue), value) << text;
    }
}

TEST_F(Settings, UnreadableFileReadsAsZeroOr2052AndIsNeverWritten) {
    // A folder where the file should be, and a symlink loop: neither can be read or replaced.
    fs::create_directories(file);
    EXPECT_EQ(ReadAppValue(kExitModeValue), 0);
    EXPECT_EQ(ReadLanguage(), 2052);
    EXPECT_EQ(ReadDeviceType(), 0);
    EXPECT_FALSE(WriteLanguage(1033));
    EXPECT_TRUE(fs::is_directory(file));
    fs::remove(file);

    fs::create_symlink(file.filename(), file);
    EXPECT_EQ(ReadLanguage(), 2052);
    EXPECT_EQ(ReadAppValue(kAutorunMinimizeValue), 0);
    EXPECT_FALSE(WriteAppValue(kAutorunMinimizeValue, "1"));
    EXPECT_TRUE(fs::is_symlink(file));
}

TEST_F(Settings, SettingsFolderThatCannotBeMadeReadsLanguageAs2052) {
    // A file stands where the configuration folder should be.
    test::EnvVar config("XDG_CONFIG_HOME", xdg.dir().Write("not-a-folder", "x").string());
    EXPECT_EQ(ReadLanguage(), 2052);
    EXPECT_EQ(ReadAppValue(kExitModeValue), 0);
    EXPECT_EQ(ReadDeviceType(), 0);
}

TEST_F(Settings, WritesKeepOtherLinesAndRefuseValuesThatWouldBreakTheFile) {
    Store("# written by hand\nLCID=2052\nunknown=1\n");
    EXPECT_TRUE(WriteLanguage(1033));
    EXPECT_EQ(FileText(file), "# written by hand\nLCID=1033\nunknown=1\n");
    EXPECT_FALSE(WriteAppValue(kExitModeValue, "1\nLCID=7"));
    EXPECT_FALSE(WriteAppValue("bad=name", "1"));
    EXPECT_FALSE(WriteAppValue("", "1"));
    EXPECT_EQ(FileText(file), "# written by hand\nLCID=1033\nunknown=1\n");
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(Settings, WritesFromTwoThreadsLoseNoValue) {
    ReadAppValue(kExitModeValue);
    auto writer = [](const char* name) {
        for (int i = 1; i <= 20; ++i)
            WriteAppValue(name, std::to_string(i));
    };
    std::thread a(writer, kExitModeValue);
    std::thread b(writer, kAutorunMinimizeValue);
    a.join();
    b.join();
    EXPECT_EQ(ReadAppValue(kExitModeValue), 20);
    EXPECT_EQ(ReadAppValue(kAutorunMinimizeValue), 20);
}

}  // namespace
}  // namespace vellomir
