#include <gtest/gtest.h>
#include <stdlib.h>

#include "common/Encoding.h"

namespace vellomir {
namespace {

TEST(EncodingTest, Utf16RoundTripWithSurrogates) {
    const std::string text = "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80";
    std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 5u);  // the emoji takes two units
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    std::string le("A\0\xE9\0", 4), be("\0A\0\xE9", 4);
    EXPECT_EQ(Utf16BytesToUtf8(le, false), "A\xC3\xA9");
    EXPECT_EQ(Utf16BytesToUtf8(be, true), "A\xC3\xA9");
    EXPECT_EQ(Utf16BytesToUtf8(std::string("\x00\xD8", 2), false), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(EncodingTest, CodePagesThroughIconv) {
    EXPECT_EQ(CharsetToUtf8("\xE9", "CP1252").value(), "\xC3\xA9");
    EXPECT_EQ(CharsetToUtf8("\xD6\xD0", "GBK").value(), "\xE4\xB8\xAD");
    EXPECT_FALSE(CharsetToUtf8("\xD6", "GBK").has_value());  // truncated double-byte character
    EXPECT_FALSE(CharsetToUtf8("x", "NO-SUCH-CHARSET").has_value());
    EXPECT_EQ(Utf8ToCharset("\xE4\xB8\xAD", "GBK").value(), "\xD6\xD0");
}

TEST(EncodingTest, EveryNamedCodePageIsKnownToIconv) {
    for (int codePage : {1250, 1251, 1252,  1253,  1254,  1255,  1256,  1257,  1258,  874,   932,   936,
                         949,  950,  20866, 21866, 51932, 51949, 28591, 28592, 28595, 28597, 28605, 65001}) {
        EXPECT_TRUE(CharsetToUtf8("A", CodePageCharset(codePage)).has_value()) << codePage;
    }
}

TEST(EncodingTest, AnsiCodePageFollowsLocale) {
    struct Case {
        const char* locale;
        int codePage;
    } cases[] = {{"zh_CN.UTF-8", 936},  {"zh_TW.UTF-8", 950}, {"ja_JP", 932},  {"ko_KR", 949},
                 {"ru_RU.UTF-8", 1251}, {"uk_UA", 1251},      {"de_DE", 1252}, {"C", 1252}};
    for (const auto& c : cases) {
        ::setenv("LC_ALL", c.locale, 1);
        EXPECT_EQ(AnsiCodePage(), c.codePage) << c.locale;
    }
    ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace vellomir
