#include <gtest/gtest.h>

#include <climits>

#include "common/Text.h"

namespace vellomir {
namespace {

TEST(TextTest, ReadDecimalFollowsWtoi) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {"  42", 42},
        {"42abc", 42},
        {"-7", -7},
        {"+9", 9},
        {"- 7", 0},
        {"0x10", 0},
        {"007", 7},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadDecimal(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextTest, ReadHexFollowsWcstolBase16) {
    struct Case {
        const char* text;
        long expected;
    } cases[] = {
        {"1a2b", 6699}, {"0x1a2b", 6699}, {"0X1A2B", 6699}, {"1A2B", 6699}, {"", 0},      {"zz", 0},
        {"0x", 0},      {"0xg", 0},       {" ff", 255},     {"-10", -16},   {"12g4", 18},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadHex(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextTest, CodePointCountingNeverCutsACharacter) {
    const std::string text = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z";  // a é 中 😀 z
    EXPECT_EQ(CountCodePoints(text), 5u);
    EXPECT_EQ(TruncateCodePoints(text, 2), "a\xC3\xA9");
    EXPECT_EQ(TruncateCodePoints(text, 4), "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(TruncateCodePoints(text, 99), text);
    EXPECT_EQ(TruncateCodePoints(text, 0), "");
}

TEST(TextTest, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xE4\xB8\xAD"));
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));          // truncated
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

TEST(TextTest, FormatAndCase) {
    EXPECT_EQ(StrFormat("VID_%04X&PID_%0X", 0x1209, 0x1), "VID_1209&PID_1");
    EXPECT_EQ(ToUpperAscii("vid_1a2b\xC3\xA9"), "VID_1A2B\xC3\xA9");
    EXPECT_EQ(TrimAscii("  x y \r\n"), "x y");
}

}  // namespace
}  // namespace vellomir
