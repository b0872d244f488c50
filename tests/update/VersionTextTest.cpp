#include "update/VersionText.h"

#include <gtest/gtest.h>

namespace vellomir {
namespace {

TEST(CompareVersions, ComparesPartByPartAsNumbers) {
    struct Case {
        const char* current;
        const char* latest;
        int expected;
    } cases[] = {
        {"1.2.3", "1.2.10", 1},                                           // numbers, not texts
        {"1.2.3", "1.2.3", 0},  {"2.0", "1.9", -1}, {"1.2", "1.2.0", 2},  // a different number of parts
        {"1.2.", "1.2.0", 0},  // an empty part counts and reads as 0
        {"104", "105", 1},      {"105", "105", 0},  {"1.10.0", "1.9.9", -1}, {"", "1", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareVersions(c.current, c.latest), c.expected) << c.current << " vs " << c.latest;
    }
}

TEST(IsOfferableVersion, OnlyDigitsAndDots) {
    EXPECT_TRUE(IsOfferableVersion("1.2.10"));
    EXPECT_TRUE(IsOfferableVersion("105"));
    for (const char* bad : {"", ".", "1.2.4-beta", "1.2/../x", "1 .2", "<html>", "1.2\n"}) {
        EXPECT_FALSE(IsOfferableVersion(bad)) << bad;
    }
}

TEST(FirmwareDisplayVersion, FirstCharacterDotLastTwo) {
    EXPECT_EQ(FirmwareDisplayVersion("105"), "1.05");
    EXPECT_EQ(FirmwareDisplayVersion("1203"), "1.03");
    EXPECT_EQ(FirmwareDisplayVersion("7"), "7.7");
    EXPECT_EQ(FirmwareDisplayVersion(""), ".");
}

}  // namespace
}  // namespace vellomir
