#include <gtest/gtest.h>

#include "TempDir.h"
#include "app/IniReader.h"
#include "common/Encoding.h"

namespace vellomir {
namespace {

TEST(IniReader, ValueRules) {
    const std::string text =
        "; comment\r\n"
        "[Other]\r\n"
        "1=not this one\r\n"
        "  [ lan ]  \r\n"
        "1 =  first  \r\n"
        "1=second\r\n"
        "2=\"quoted value\"\r\n"
        "3='single'\r\n"
        "4=\"only one\r\n"
        "5=\"a\" and \"b\"\r\n"
        "6=\"\"inner\"\"\r\n"
        "7=\"mixed'\r\n"
        "8=a=b\r\n"
        "9=\r\n"
        "\t10\t=\ttabs\t\r\n"
        "[LAN]\r\n"
        "11=in a second section of the same name\r\n";
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"1", "first"},       {"2", "quoted value"}, {"3", "single"},
        {"4", "\"only one"},  {"5", "a\" and \"b"},  {"6", "\"inner\""},
        {"7", "\"mixed'"},    {"8", "a=b"},          {"9", ""},
        {"10", "tabs"},       {"11", std::nullopt},  {"12", std::nullopt},
        {"01", std::nullopt},
    };
    for (const auto& [key, value] : cases)
        EXPECT_EQ(FindIniValue(text, "LAN", key), value) << key;
    EXPECT_EQ(FindIniValue(text, "Missing", "1"), std::nullopt);
    EXPECT_EQ(FindIniValue(text, "other", "1"), "not this one");
    EXPECT_EQ(FindIniValue("", "LAN", "1"), std::nullopt);
    EXPECT_EQ(FindIniValue("[LAN]\n1=no line break at the end", "LAN", "1"), "no line break at the end");
}

std::string Utf16Bytes(std::string_view utf8, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

TEST(IniReader, ReadsEveryEncoding) {
    const std::string text = "[LAN]\r\n17=设备 Ünïcode\r\n";
    const std::pair<const char*, std::string> files[] = {
        {"utf8", text},
        {"utf8-bom", "\xEF\xBB\xBF" + text},
        {"utf16le", Utf16Bytes(text, false)},
        {"utf16be", Utf16Bytes(text, true)},
    };
    test::TempDir dir;
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(ReadIniString(dir.Write(name, bytes), "LAN", "17"), "设备 Ünïcode") << name;
    }
    // Bytes that are not UTF-8 are in the ANSI code page (here the default, Windows-1252).
    EXPECT_EQ(ReadIniString(dir.Write("ansi", "[LAN]\n5=Caf\xE9 \x80\n"), "LAN", "5"), "Café €");
    EXPECT_EQ(ReadIniString(dir.Write("bad-utf8", "\xEF\xBB\xBF[LAN]\n5=Caf\xE9\n"), "LAN", "5"), "Café");
}

TEST(IniReader, MissingOrBrokenFilesGiveEmptyTexts) {
    test::TempDir dir;
    EXPECT_EQ(ReadIniString(dir / "missing.lan", "LAN", "1"), "");
    EXPECT_EQ(ReadIniString(dir.path(), "LAN", "1"), "");  // a folder
    EXPECT_EQ(ReadIniString(dir.Write("bin", std::string("\0\x01\x02[LAN\n1", 7)), "LAN", "1"), "");
    // A UTF-16 file cut in the middle of a unit still gives what it holds.
    std::string cut = Utf16Bytes("[LAN]\n1=abc\n2=x", false);
    cut.pop_back();
    EXPECT_EQ(ReadIniString(dir.Write("cut", cut), "LAN", "1"), "abc");
}

TEST(IniReader, LongTextsAreCutAt259CodePoints) {
    test::TempDir dir;
    std::string ascii(300, 'a');
    std::string wide;
    for (int i = 0; i < 300; ++i)
        wide += "语";
    dir.Write("long", "[LAN]\n1=" + ascii + "\n2=\"" + wide + "\"\n3=" + std::string(259, 'b') + "\n");
    EXPECT_EQ(ReadIniString(dir / "long", "LAN", "1"), std::string(259, 'a'));
    const std::string cutWide = ReadIniString(dir / "long", "LAN", "2");
    EXPECT_EQ(cutWide.size(), 259u * 3);
    EXPECT_EQ(cutWide, wide.substr(0, 259 * 3));
    EXPECT_EQ(ReadIniString(dir / "long", "LAN", "3"), std::string(259, 'b'));
}

}  // namespace
}  // namespace vellomir
