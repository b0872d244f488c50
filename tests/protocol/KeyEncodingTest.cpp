#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "protocol/FunctionCodes.h"
#include "protocol/KeyEntries.h"
#include "protocol/KeyTable.h"
#include "protocol/VirtualKeys.h"

namespace vellomir {
namespace {

struct EntryCase {
    int type, value, value2;
    KeyEntry bytes;
};

TEST(KeyEntriesTest, EveryBindingTypeAndValue) {
    const EntryCase cases[] = {
        {1, 1, 0, {0x10, 0x01, 0x00}},
        {1, 2, 0, {0x10, 0x04, 0x00}},
        {1, 3, 0, {0x10, 0x02, 0x00}},
        {1, 4, 0, {0x30, 0x32, 0x03}},
        {1, 5, 0, {0x10, 0x10, 0x00}},
        {1, 6, 0, {0x10, 0x08, 0x00}},
        {1, 7, 0, {0x20, 0x01, 0x00}},
        {1, 8, 0, {0x20, 0xFF, 0x00}},
        {1, 9, 0, {0x10, 0x00, 0xF5}},
        {1, 10, 0, {0x10, 0x00, 0xF6}},
        {1, 11, 0, {0x10, 0x00, 0x00}},
        // Keyboard: modifiers, then the usage; a modifier key alone becomes its bit.
        {2, 0x04, 0x00, {0x70, 0x00, 0x04}},
        {2, 0x06, 0x01, {0x70, 0x01, 0x06}},
        {2, 0xE1, 0x00, {0x70, 0x02, 0x00}},
        {2, 0xE7, 0x00, {0x70, 0x80, 0x00}},
        {2, 0xE0, 0x02, {0x70, 0x02, 0x01}},
        // Ordinary usages equal to a modifier's virtual-key code stay what they are (91 = keypad 3).
        {2, 91, 0x00, {0x70, 0x00, 91}},
        {2, 92, 0x04, {0x70, 0x04, 92}},
        {2, 162, 0x00, {0x70, 0x00, 162}},
        {3, 1, 0, {0x80, 0x83, 0x01}},
        {3, 2, 0, {0x80, 0xCD, 0x00}},
        {3, 3, 0, {0x80, 0xB7, 0x00}},
        {3, 4, 0, {0x80, 0xB6, 0x00}},
        {3, 5, 0, {0x80, 0xB5, 0x00}},
        {3, 6, 0, {0x80, 0xE9, 0x00}},
        {3, 7, 0, {0x80, 0xEA, 0x00}},
        {3, 8, 0, {0x80, 0xE2, 0x00}},
        {3, 9, 0, {0x80, 0x00, 0x00}},
        {5, 1, 0, {0x40, 0x02, 0x00}},
        {5, 2, 0, {0x40, 0x03, 0x00}},
        {5, 3, 0, {0x40, 0x01, 0x00}},
        {5, 4, 0, {0x40, 0x00, 0x00}},
        {6, 1, 0, {0x60, 0x04, 0x00}},
        {6, 2, 0, {0x60, 0x01, 0x00}},
        {7, 50, 3, {0x30, 50, 3}},
        {7, 0x1FF, 0x102, {0x30, 0xFF, 0x02}},
        {8, 1, 0, {0x80, 0x6F, 0x00}},
        {8, 2, 0, {0x80, 0x70, 0x00}},
        {8, 3, 0, {0x80, 0x92, 0x01}},
        {8, 4, 0, {0x80, 0x94, 0x01}},
        {8, 5, 0, {0x80, 0x23, 0x02}},
        {8, 6, 0, {0x80, 0x8A, 0x01}},
        {8, 7, 0, {0x70, 0x08, 0x07}},
        {8, 8, 0, {0x70, 0x08, 0x2B}},
        {8, 9, 0, {0x70, 0x01, 0x06}},
        {8, 10, 0, {0x70, 0x01, 0x19}},
        {8, 11, 0, {0x70, 0x01, 0x1B}},
        {8, 12, 0, {0x80, 0x00, 0x00}},
        {9, 1, 0, {0x60, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        const auto entry = EncodeKeyEntry({2, c.type, c.value, c.value2}, std::nullopt);
        ASSERT_TRUE(entry.has_value()) << "type " << c.type << " value " << c.value;
        EXPECT_EQ(*entry, c.bytes) << "type " << c.type << " value " << c.value << " value2 " << c.value2;
    }
}

TEST(KeyEntriesTest, SpecialCodesWithoutBytesKeepTheKeysDefault) {
    EXPECT_EQ(EncodeKeyEntry({1, 6, 3, 0}, std::nullopt), (KeyEntry{0x60, 0x02, 0x00}));
    EXPECT_EQ(EncodeKeyEntry({5, 6, 4, 0}, std::nullopt), (KeyEntry{0x60, 0x01, 0x00}));
    EXPECT_EQ(EncodeKeyEntry({7, 6, 5, 0}, std::nullopt), (KeyEntry{0x60, 0x00, 0x00}));
}

TEST(KeyEntriesTest, MacroEntryCarriesThePlayBits) {
    struct Case {
        MacroPlay play;
        KeyEntry bytes;
    };
    const Case cases[] = {
        {{1, 1}, {0x90, 0x13, 0}},
        {{3, 1}, {0x90, 0x13, 0}},
        {{2, 1}, {0x90, 0x43, 0}},
        {{0, 5}, {0x90, 0x23, 5}},
        {{0, 300}, {0x90, 0x23, 300 & 0xFF}},
        {{0, 0}, {0x90, 0x03, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeKeyEntry({3, 4, 17, 0}, c.play), c.bytes) << "play type " << c.play.playType;
    }
    // No stored macro with that id: the key keeps its default entry.
    EXPECT_FALSE(EncodeKeyEntry({3, 4, 17, 0}, std::nullopt).has_value());
    EXPECT_FALSE(EncodeKeyEntry({3, 0, 1, 0}, std::nullopt).has_value());
    EXPECT_FALSE(EncodeKeyEntry({3, 10, 1, 0}, std::nullopt).has_value());
}

TEST(KeyTableTest, DefaultTableAndTheBytesSent) {
    const KeyTable table = DefaultKeyTable();
    const std::vector<std::uint8_t> head(table.begin(), table.begin() + 18);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x10, 0x01, 0, 0x10, 0x02, 0, 0x10, 0x04, 0, 0x10, 0x08, 0,
                                               0x10, 0x10, 0, 0x40, 0x01, 0}));
    for (std::size_t i = 18; i < table.size(); ++i)
        EXPECT_EQ(table[i], 0) << i;

    const Request request = EncodeKeyTable(table);
    EXPECT_EQ(request.frame[1], 0x09);
    EXPECT_EQ(request.frame[3], 0x01);
    EXPECT_EQ(request.frame[4], 0x0F);
    EXPECT_EQ(request.length, 33u);
    EXPECT_TRUE(std::equal(table.begin(), table.begin() + 27, request.frame.begin() + 5));
}

TEST(KeyTableTest, BindingsAreAppliedInOrderAndOutOfRangeKeysSkipped) {
    const std::map<int, MacroPlay> macros{{7, {2, 1}}};
    const MacroLookup lookup = [&](int id) -> std::optional<MacroPlay> {
        auto it = macros.find(id);
        if (it == macros.end()) return std::nullopt;
        return it->second;
    };
    const std::vector<BindingValues> bindings{
        {0, 9, 1, 0},     // disabled
        {1, 4, 7, 0},     // macro 7, played while held
        {2, 4, 99, 0},    // macro that no longer exists: default stays
        {0, 1, 3, 0},     // a later binding of the same key wins
        {8, 2, 0xE1, 0},  // left Shift alone
        {9, 5, 1, 0},     // placed, but not sent
        {21, 9, 1, 0},    // beyond the table
        {-1, 9, 1, 0},
    };
    const KeyTable table = BuildKeyTable(bindings, lookup);
    const std::vector<std::uint8_t> sent(table.begin(), table.begin() + 27);
    EXPECT_EQ(sent, (std::vector<std::uint8_t>{0x10, 0x02, 0, 0x90, 0x41, 0, 0x10, 0x04, 0,
                                               0x10, 0x08, 0, 0x10, 0x10, 0, 0x40, 0x01, 0,
                                               0,    0,    0, 0,    0,    0, 0x70, 0x02, 0}));
    EXPECT_EQ(table[27], 0x40);
    EXPECT_EQ(table[28], 0x02);
    const Request request = EncodeKeyTable(table);
    EXPECT_EQ(request.frame[32], 0);  // key 9 is not part of the 27 bytes sent
}

TEST(VirtualKeysTest, UsagesOfVirtualKeys) {
    const std::pair<int, int> cases[] = {
        {65, 4},    {90, 29},   {49, 30},   {57, 38},   {48, 39},   {13, 40},   {27, 41},   {8, 42},
        {9, 43},    {32, 44},   {189, 45},  {187, 46},  {219, 47},  {221, 48},  {220, 49},  {186, 51},
        {222, 52},  {192, 53},  {188, 54},  {190, 55},  {191, 56},  {20, 57},   {112, 58},  {123, 69},
        {44, 70},   {145, 71},  {19, 72},   {45, 73},   {36, 74},   {33, 75},   {46, 76},   {35, 77},
        {34, 78},   {39, 79},   {37, 80},   {40, 81},   {38, 82},   {144, 83},  {111, 84},  {106, 85},
        {109, 86},  {107, 87},  {108, 88},  {97, 89},   {105, 97},  {96, 98},   {110, 99},  {226, 100},
        {93, 101},  {124, 104}, {135, 115}, {136, 136}, {139, 139}, {254, 175}, {162, 224}, {160, 225},
        {164, 226}, {91, 227},  {163, 228}, {161, 229}, {165, 230}, {92, 231},  {301, 236}, {302, 235},
        {666, 50},  {0, 0},     {7, 0},     {140, 0},   {255, 0},   {-5, 0},
    };
    for (const auto& [vk, usage] : cases)
        EXPECT_EQ(VirtualKeyToUsage(vk), usage) << "virtual key " << vk;
}

TEST(VirtualKeysTest, ModifierBitTakesUsagesAndVirtualKeys) {
    const std::pair<int, int> cases[] = {
        {0xE0, 0x01}, {162, 0x01}, {0xE1, 0x02}, {160, 0x02}, {0xE2, 0x04}, {164, 0x04},
        {0xE3, 0x08}, {91, 0x08},  {0xE4, 0x10}, {163, 0x10}, {0xE5, 0x20}, {161, 0x20},
        {0xE6, 0x40}, {165, 0x40}, {0xE7, 0x80}, {92, 0x80},  {0, 0},       {0x04, 0x04},
    };
    for (const auto& [code, bit] : cases)
        EXPECT_EQ(ModifierBit(code), bit) << "code " << code;
    EXPECT_TRUE(IsModifierVirtualKey(160));
    EXPECT_TRUE(IsModifierVirtualKey(92));
    EXPECT_FALSE(IsModifierVirtualKey(0xE1));
    EXPECT_FALSE(IsModifierVirtualKey(93));
}

}  // namespace
}  // namespace vellomir
