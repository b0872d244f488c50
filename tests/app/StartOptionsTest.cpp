#include <gtest/gtest.h>

#include "app/StartOptions.h"

namespace vellomir {
namespace {

TEST(StartOptions, HideIsAPlainCaseSensitiveSubstring) {
    const struct {
        const char* line;
        bool hidden;
    } cases[] = {
        {"", false},
        {"-autorun", false},
        {"-autorun -hide", true},
        {"-hide -autorun", true},
        {"-Hide", false},
        {"-HIDE", false},
        {"--hidearound", true},  // inside a longer word it still
                                 // counts
        {"hide", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StartsHidden(c.line), c.hidden) << c.line;
}

TEST(StartOptions, CommandLineJoinsArgumentsAfterTheProgramName) {
    const char* argv[] = {"/usr/bin/-hide-prog", "-auto", "run", nullptr};
    EXPECT_EQ(JoinCommandLine(3, argv), "-auto run");
    // The program's own path never counts as an argument.
    EXPECT_FALSE(StartsHidden(JoinCommandLine(1, argv)));
    const char* split[] = {"prog", "-hi", "de"};
    EXPECT_FALSE(StartsHidden(JoinCommandLine(3, split)));
}

TEST(StartOptions, ScaleClassOfEffectiveDpi) {
    const std::pair<int, int> cases[] = {{0, 100},   {72, 100},  {96, 100},  {97, 100},  {120, 125},
                                         {121, 100}, {144, 144}, {168, 168}, {192, 192}, {240, 100}};
    for (auto [dpi, scale] : cases)
        EXPECT_EQ(ScreenScaleForDpi(dpi), scale) << dpi;
}

TEST(StartOptions, DpiAwarenessByScreenSizeAndScale) {
    const struct {
        int width, height, dpi;
        bool aware;
    } cases[] = {
        {1366, 768, 96, true},    {1366, 768, 192, true},  {1399, 900, 96, true},    {1400, 799, 96, true},
        {1400, 800, 192, false},  {1920, 1080, 96, false}, {1920, 1080, 120, false}, {1920, 1080, 144, true},
        {1920, 1080, 168, true},  {1920, 1080, 192, true}, {1920, 1080, 200, false}, {1920, 1200, 192, false},
        {2560, 1440, 192, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShouldBeDpiAware(c.width, c.height, ScreenScaleForDpi(c.dpi)), c.aware)
            << c.width << "x" << c.height << " at " << c.dpi;
    }
}

}  // namespace
}  // namespace vellomir
