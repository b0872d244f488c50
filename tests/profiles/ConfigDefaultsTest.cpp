// The default configuration set, colour texts, and applying a model description's defaults.

#include <gtest/gtest.h>

#include "profiles/ConfigKeys.h"
#include "profiles/DeviceDefaults.h"
#include "profiles/HexColor.h"
#include "profiles/Profiles.h"
#include "storage/DatabaseFixture.h"

namespace vellomir {
namespace {

using test::DatabaseTest;
using test::RawConnection;

std::string Value(int profile, std::string_view key) {
    std::string value;
    EXPECT_TRUE(GetConfigValue(profile, key, value)) << key;
    return value;
}

TEST_F(DatabaseTest, NewProfileHasTheThirtyNineDefaultRowsInOrder) {
    const int profile = CreateProfile(ProfileInfo{.name = "p"});
    ASSERT_GT(profile, 0);
    const std::vector<std::string> expected = {"version=1.0.1",
                                               "sleep_light=1",
                                               "move_wakeup=0",
                                               "move_closelight=1",
                                               "liftoff_height=1",
                                               "report_rate=2",
                                               "report_rate_wireless=1",
                                               "report_count=4",
                                               "report_flag=127",
                                               "button_respondtime=8",
                                               "sensor_flag=53",
                                               "scroll_flag=1",
                                               "e-sports_flag=0",
                                               "leftbtn_lock=1",
                                               "dpi_flag=6",
                                               "dpi_index=1",
                                               "dpi_count=6",
                                               "dpi_group0_value=800",
                                               "dpi_group1_value=1600",
                                               "dpi_group2_value=2400",
                                               "dpi_group3_value=3200",
                                               "dpi_group4_value=6400",
                                               "dpi_group5_value=26000",
                                               "dpi_group6_value=26000",
                                               "dpi_group7_value=0",
                                               "dpi_group0_rgb=255",
                                               "dpi_group1_rgb=16711680",
                                               "dpi_group2_rgb=65280",
                                               "dpi_group3_rgb=65535",
                                               "dpi_group4_rgb=16711935",
                                               "dpi_group5_rgb=16776960",
                                               "dpi_group6_rgb=16712191",
                                               "dpi_group7_rgb=16777215",
                                               "dpi_group8_rgb=2139135",
                                               "mouse_speed=10",
                                               "mouse_sensitivity=1",
                                               "wheel_scrollflag=0",
                                               "wheel_scrolllines=3",
                                               "doubleclick_time=550"};
    EXPECT_EQ(RawConnection(File()).Texts("SELECT key || '=' || value FROM t_configdata WHERE profile = " +
                                          std::to_string(profile) + " ORDER BY config_id"),
              expected);
    // Inserted once more (as an old caller might), the set adds a second copy rather than failing.
    EXPECT_TRUE(InsertDefaultConfig(profile + 1));
    EXPECT_EQ(RawConnection(File()).Int("SELECT count(*) FROM t_configdata"), 78);
}

TEST(ParseHexColor, ReadsRedGreenBlueIntoWindowsOrder) {
    const std::pair<const char*, int> cases[] = {
        {"#FF0000", 255},
        {"#0000FF", 16711680},
        {"#00FF00", 65280},
        {"#FF8000", 0x0080FF},
        {"#ff8000", 0x0080FF},
        {"#FF", 255},
        {"#FF8", 0x08FF},
        {"#FF80", 0x80FF},
        {"#FF80F", 0x0F80FF},
        {"#", 0},
        {"", 0},
        {"#F", 0},
        {"#1234567", 0},
        {"#-1FFFF", 0xFFFF00},
        {"#GG00FF", 0xFF0000},
        {"#0x00FF", 0xFF0000},
        {"é12", 0x12},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseHexColor(text), expected) << text;
}

DeviceDefaults PartialDescription() {
    DeviceDefaults d;
    d.has_mouse_info = true;
    DpiDefaults dpi;
    dpi.default_dpi = "2";
    dpi.dpi_count = "4";
    dpi.stages[0] = DpiStageDefault{"400", "#FF0000"};
    dpi.stages[1] = DpiStageDefault{"800", "#00FF00"};
    dpi.stages[2] = DpiStageDefault{"1200", "#0000FF"};
    dpi.stages[3] = DpiStageDefault{"2400", ""};  // no colour: black
    d.dpi = dpi;
    d.report_rate = "1";
    d.lod = "2";
    return d;
}

TEST_F(DatabaseTest, DeviceDefaultsOverwriteOnlyWhatTheDescriptionStates) {
    const int profile = CreateProfile(ProfileInfo{.name = "p"});
    ASSERT_TRUE(ApplyDeviceDefaults(profile, PartialDescription(), false));
    const std::pair<std::string_view, std::string_view> expected[] = {
        {"dpi_index", "2"},
        {"dpi_flag", "4"},
        {"dpi_count", "4"},
        {"dpi_group0_value", "400"},
        {"dpi_group0_rgb", "255"},
        {"dpi_group1_value", "800"},
        {"dpi_group1_rgb", "65280"},
        {"dpi_group2_value", "1200"},
        {"dpi_group2_rgb", "16711680"},
        {"dpi_group3_value", "2400"},
        {"dpi_group3_rgb", "0"},
        // Stages the description does not list keep their values, and so do 7 and 8.
        {"dpi_group4_value", "6400"},
        {"dpi_group4_rgb", "16711935"},
        {"dpi_group5_value", "26000"},
        {"dpi_group5_rgb", "16776960"},
        {"dpi_group6_value", "26000"},
        {"dpi_group7_rgb", "16777215"},
        {"report_rate", "1"},
        {"liftoff_height", "2"},
        // Elements the description lacks leave their keys alone.
        {"sleep_light", "1"},
        {"move_wakeup", "0"},
        {"move_closelight", "1"},
        {"report_rate_wireless", "1"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(Value(profile, key), value) << key;
}

TEST_F(DatabaseTest, DpiOnlyDefaultsLeaveTheOtherSettingsAlone) {
    const int profile = CreateProfile(ProfileInfo{.name = "p"});
    DeviceDefaults d = PartialDescription();
    d.sleep_light = "9";
    d.move_wakeup = "1";
    d.move_closelight = "0";
    // Each of these differs between the description and the stored defaults.
    const std::string_view untouched[] = {"report_rate", "sleep_light", "move_wakeup", "move_closelight",
                                          "liftoff_height"};
    std::vector<std::string> before;
    for (std::string_view key : untouched)
        before.push_back(Value(profile, key));
    ASSERT_TRUE(ApplyDeviceDefaults(profile, d, true));
    EXPECT_EQ(Value(profile, "dpi_count"), "4");
    for (size_t i = 0; i < std::size(untouched); ++i)
        EXPECT_EQ(Value(profile, untouched[i]), before[i]) << untouched[i];

    // A description without mouse_info changes nothing at all.
    const std::string snapshot = RawConnection(File()).Dump();
    DeviceDefaults none = PartialDescription();
    none.has_mouse_info = false;
    EXPECT_TRUE(ApplyDeviceDefaults(profile, none, false));
    EXPECT_EQ(RawConnection(File()).Dump(), snapshot);
}

TEST_F(DatabaseTest, DeviceDefaultsFromADescriptionFile) {
    const int profile = CreateProfile(ProfileInfo{.name = "p"});
    // lod stands before report_rate: the search for lod starts after report_rate and misses it.
    const auto file = dir_.Write("device/partial.xml",
                                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<mouse>\r\n<mouse_info>\r\n"
                                 "<dpi_info default_dpi=\"3\" dpi_count=\"2\">\r\n"
                                 "<dpi_1 value=\"1000\" color=\"#FF8000\"/>\r\n<dpi_2 value=\"2000\"/>\r\n"
                                 "</dpi_info>\r\n<lod value=\"2\"/>\r\n<report_rate default_value=\"8\"/>\r\n"
                                 "</mouse_info>\r\n</mouse>\r\n");
    ASSERT_TRUE(ApplyDeviceDefaults(profile, file, false));
    EXPECT_EQ(Value(profile, "dpi_index"), "3");
    EXPECT_EQ(Value(profile, "dpi_count"), "2");
    EXPECT_EQ(Value(profile, "dpi_group0_rgb"), "33023");
    EXPECT_EQ(Value(profile, "dpi_group1_value"), "2000");
    EXPECT_EQ(Value(profile, "dpi_group1_rgb"), "0");
    EXPECT_EQ(Value(profile, "dpi_group2_value"), "2400");
    EXPECT_EQ(Value(profile, "report_rate"), "8");
    EXPECT_EQ(Value(profile, "liftoff_height"), "1");

    const std::string snapshot = RawConnection(File()).Dump();
    EXPECT_FALSE(ApplyDeviceDefaults(profile, dir_ / "device/missing.xml", false));
    EXPECT_FALSE(ApplyDeviceDefaults(profile, dir_.Write("device/broken.xml", "<mouse><mouse_info>"), false));
    EXPECT_EQ(RawConnection(File()).Dump(), snapshot);
}

TEST_F(DatabaseTest, DeviceDefaultsAreAllOrNothing) {
    const int profile = CreateProfile(ProfileInfo{.name = "p"});
    const std::string snapshot = RawConnection(File()).Dump();
    // The last write of the set fails.
    ASSERT_TRUE(RawConnection(File()).Exec(
        "CREATE TRIGGER injected_fault BEFORE UPDATE ON t_configdata WHEN NEW.key = 'liftoff_height' "
        "BEGIN SELECT RAISE(ABORT, 'injected fault'); END"));
    EXPECT_FALSE(ApplyDeviceDefaults(profile, PartialDescription(), false));
    RawConnection raw(File());
    ASSERT_TRUE(raw.Exec("DROP TRIGGER injected_fault"));
    EXPECT_EQ(raw.Dump(), snapshot);
}

}  // namespace
}  // namespace vellomir
