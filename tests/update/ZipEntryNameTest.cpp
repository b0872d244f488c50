#include "update/ZipEntryName.h"

#include <gtest/gtest.h>

#include "update/ZipExtraField.h"

namespace vellomir {
namespace {

TEST(SafeEntryPath, StripsDrivesSeparatorsAndParentSteps) {
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"setup/readme.txt", "setup/readme.txt"},
        {"a\\b\\c.txt", "a/b/c.txt"},
        {"../../Windows/x.dll", "Windows/x.dll"},
        {"..\\..\\Windows\\x.dll", "Windows/x.dll"},
        {"C:x.dll", "x.dll"},
        {"C:\\Windows\\x.dll", "Windows/x.dll"},
        {"/etc/passwd", "etc/passwd"},
        {"//server/share/x", "server/share/x"},
        {"C:/D:/x", "x"},
        {"a/b/../c", "c"},  // everything up to the parent step goes
        {"a/b\\..\\c", "c"},
        // Parent steps the stripping leaves behind never climb out.
        {"../x", "x"},
        {"..\\x", "x"},
        {"C:../x", "x"},
        {"a/..", "a"},
        {"..", ""},
        {"./a/./b", "a/b"},
        {"folder/", "folder"},
        {"...", "..."},
        {"..x/y", "..x/y"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SafeEntryPath(c.name), c.expected) << c.name;
}

TEST(SafeEntryPath, DriveIsAnyOneCharacter) {
    EXPECT_EQ(SafeEntryPath("\xC3\xA9:x"), "x");  // "é:" in UTF-8
    EXPECT_EQ(SafeEntryPath("ab:x"), "ab:x");
}

TEST(ParseUnixTimeExtraField, ReadsTheTimesTheFlagsAnnounce) {
    // An unrelated field first, then "UT" with modification and access times.
    const std::string extra(
        "\x01\x00\x02\x00zz"
        "UT\x09\x00\x03\x10\x32\x54\x76\x20\x32\x54\x76",
        19);
    auto times = ParseUnixTimeExtraField(extra);
    ASSERT_TRUE(times.has_value());
    EXPECT_EQ(times->modified, 0x76543210);
    EXPECT_EQ(times->accessed, 0x76543220);
    EXPECT_FALSE(times->created.has_value());

    // The central copy: flags for three times, data for one.
    auto central = ParseUnixTimeExtraField(std::string("UT\x05\x00\x07\x01\x00\x00\x00", 9));
    ASSERT_TRUE(central.has_value());
    EXPECT_EQ(central->modified, 1);
    EXPECT_FALSE(central->accessed.has_value());

    // A field whose size runs past the data, and no field at all.
    EXPECT_FALSE(ParseUnixTimeExtraField(std::string("UT\x09\x00\x01\x01\x00", 7)).has_value());
    EXPECT_FALSE(ParseUnixTimeExtraField("").has_value());
}

}  // namespace
}  // namespace vellomir
