#include <gtest/gtest.h>

#include "macros/MacroModel.h"

namespace vellomir {
namespace {

TEST(MacroModelTest, DisplayNameTranslatesTheDefaultWords) {
    struct Case {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"Custom 3", "Macro 3"},
        {"自定义5", "Macro5"},
        {"Custom 3 Copy", "Macro 3  COPY"},  // the blank before the stored copy word stays
        {"Jump 复制", "Jump  COPY"},
        {"CustomCopy", "Macro COPY"},
        {"Copy list Copy", "Copy list  COPY"},  // only the word at the end is the copy word
        {"custom 1", "custom 1"},               // the comparison is exact
        {"Copying", "Copying"},
        {"Custo", "Custo"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MacroDisplayName(c.stored, "Macro", "COPY"), c.shown) << c.stored;
    }
    EXPECT_EQ(NewMacroName("Macro", 0), "Macro 1");
    EXPECT_EQ(NewMacroName("宏", 4), "宏 5");
}

TEST(MacroModelTest, Limits) {
    EXPECT_TRUE(CanInsertMacroRow(0));
    EXPECT_TRUE(CanInsertMacroRow(199));
    EXPECT_FALSE(CanInsertMacroRow(200));

    const std::pair<int, int> delays[] = {{0, 1},         {-5, 1},        {1, 1},
                                          {10000, 10000}, {10001, 10000}, {250, 250}};
    for (auto [entered, kept] : delays)
        EXPECT_EQ(ClampUserDelay(entered), kept) << entered;

    struct PlayCase {
        int times;
        int deviceType;
        int kept;
    } plays[] = {{0, 1, 1},       {999, 200, 999}, {1000, 200, 999},
                 {256, 201, 255}, {255, 201, 255}, {300, 202, 255}};
    for (const PlayCase& c : plays)
        EXPECT_EQ(ClampPlayTimes(c.times, c.deviceType), c.kept) << c.times;

    for (int type : {1, 2, 3, 4, 5})
        EXPECT_TRUE(IsMacroEventType(type));
    for (int type : {0, 6, -1})
        EXPECT_FALSE(IsMacroEventType(type));
}

TEST(MacroModelTest, EventTexts) {
    EXPECT_EQ(DelayEventText(10), "10 ms");
    EXPECT_EQ(KeyEventText(true, "A"), "\u2193  A");
    EXPECT_EQ(KeyEventText(false, "Enter"), "\u2191  Enter");
    EXPECT_EQ(MouseEventText(true, 1), "↓  LB");
    EXPECT_EQ(MouseEventText(false, 2), "↑  RB");
    EXPECT_EQ(MouseEventText(true, 4), "↓  MB");
    EXPECT_EQ(MouseEventText(true, 8), "↓  Backward");
    EXPECT_EQ(MouseEventText(false, 16), "↑  Forward");
    EXPECT_EQ(MouseEventText(true, 3), "↓  ");
}

}  // namespace
}  // namespace vellomir
