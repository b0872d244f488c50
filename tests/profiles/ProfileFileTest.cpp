// Profile files: export and import round trips, the file layout, and files that are broken, truncated,
// of another kind or ordered differently.

#include <gtest/gtest.h>

#include "common/FileIo.h"
#include "profiles/ConfigKeys.h"
#include "profiles/ProfileFile.h"
#include "profiles/Profiles.h"
#include "storage/ConfigStore.h"
#include "storage/DatabaseFixture.h"
#include "storage/KeyBindingStore.h"
#include "storage/LightStore.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using test::DatabaseTest;
using test::RawConnection;

const ProfileFileOptions kWithLighting{.profile_word = "Profile", .has_lighting = true};
const ProfileFileOptions kWithoutLighting{.profile_word = "Profile", .has_lighting = false};

// Every key a profile file carries.
const std::vector<std::string> kCarriedKeys = {
    "dpi_flag",           "dpi_index",        "dpi_count",        "dpi_group0_value", "dpi_group1_value",
    "dpi_group2_value",   "dpi_group3_value", "dpi_group4_value", "dpi_group5_value", "dpi_group0_rgb",
    "dpi_group1_rgb",     "dpi_group2_rgb",   "dpi_group3_rgb",   "dpi_group4_rgb",   "dpi_group5_rgb",
    "button_respondtime", "report_rate",      "sensor_flag",      "liftoff_height",   "scroll_flag",
    "e-sports_flag",      "sleep_light",      "move_wakeup",      "move_closelight"};

std::string Value(int profile, std::string_view key) {
    std::string value;
    GetConfigValue(profile, key, value);
    return value;
}

class ProfileFileTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        ASSERT_EQ(LoadProfiles("Profile", std::nullopt).current_profile, 1);
        // Profile 1: three bindings (one of them a macro), three lighting modes, its own values.
        const KeyBinding bindings[] = {
            {.profile = 1,
             .key_code = 0,
             .layout_value = 7,
             .layout_desc = "L",
             .macro_type = 1,
             .macro_value = 3,
             .macro_desc = "Büro <&> \"quoted\" 'single' 配置"},
            {.profile = 1, .key_code = 4, .macro_type = 4, .macro_value = 12, .macro_desc = "Custom 1"},
            {.profile = 1,
             .key_code = 6,
             .macro_type = 3,
             .macro_value2 = 0x41,
             .macro_value3 = 2,
             .macro_desc = "Ctrl+A"},
        };
        for (const KeyBinding& b : bindings)
            ASSERT_GT(SaveKeyBinding(b), 0);
        for (int profile : {1, 2}) {
            for (int mode = 1; mode <= (profile == 1 ? 3 : 2); ++mode) {
                LightSetting light{.profile = profile,
                                   .name = "effect",
                                   .mode = mode,
                                   .brightness = profile * 10 + mode,
                                   .speed = mode,
                                   .direction = 1,
                                   .colorful = profile,
                                   .colorindex = mode,
                                   .config_func = 100 + profile,
                                   .reserved = 200 + profile};
                for (int i = 0; i < kLightColorValues; ++i)
                    light.color_value[i] = profile * 0x10000 + mode * 16 + i;
                ASSERT_GT(InsertLight(light), 0);
            }
        }
        ASSERT_TRUE(SetActiveLightMode(1, 2));
        ASSERT_TRUE(SetActiveLightMode(2, 1));
        for (size_t i = 0; i < kCarriedKeys.size(); ++i)
            ASSERT_TRUE(SetConfigValue(1, kCarriedKeys[i], std::to_string(1000 + i)));
    }

    ProfileImportResult Import(const fs::path& file, int profile,
                               const ProfileFileOptions& options = kWithLighting) {
        return ImportProfileFile(file, profile, options, [this] { ++writeRequests_; });
    }

    int writeRequests_ = 0;
};

TEST_F(ProfileFileTest, ExportThenImportCarriesTheWholeProfile) {
    const fs::path file = dir_ / "Büro 配置.xml";
    ASSERT_TRUE(ExportProfileFile(1, file, kWithLighting));
    ASSERT_TRUE(SetConfigValue(2, "mouse_speed", "17"));

    const ProfileImportResult result = Import(file, 2);
    EXPECT_EQ(result.status, ProfileFileStatus::Ok);
    EXPECT_EQ(result.profile_name, "Büro 配置");
    EXPECT_EQ(writeRequests_, 1);

    std::string name;
    ASSERT_TRUE(GetProfileName(2, name));
    EXPECT_EQ(name, "Büro 配置");

    std::vector<KeyBinding> source, imported;
    ASSERT_EQ(ListKeyBindings(1, source), 3);
    ASSERT_EQ(ListKeyBindings(2, imported), 3);
    for (size_t i = 0; i < source.size(); ++i) {
        KeyBinding expected = source[i];
        expected.key_id = imported[i].key_id;
        expected.profile = 2;
        expected.layout_value = 0;  // layout values are not carried
        expected.layout_desc = "";
        EXPECT_EQ(imported[i], expected) << i;
    }

    // Profile 2 has modes 1 and 2: both take profile 1's settings; mode 3 of the file is skipped.
    std::vector<LightSetting> lights;
    ASSERT_EQ(ListLights(2, lights), 2);
    for (const LightSetting& light : lights) {
        LightSetting from;
        ASSERT_TRUE(GetLight(1, light.mode, from));
        EXPECT_EQ(light.brightness, from.brightness);
        EXPECT_EQ(light.speed, from.speed);
        EXPECT_EQ(light.colorful, from.colorful);
        EXPECT_EQ(light.colorindex, from.colorindex);
        EXPECT_EQ(light.color_value, from.color_value);
        EXPECT_EQ(light.config_func, 102);  // not carried
        EXPECT_EQ(light.reserved, 202);
    }
    EXPECT_EQ(CountLights(2), 2);
    EXPECT_EQ(GetActiveLightMode(2), 2);

    for (const std::string& key : kCarriedKeys)
        EXPECT_EQ(Value(2, key), Value(1, key)) << key;
    EXPECT_EQ(Value(2, "mouse_speed"), "17");  // not carried
    EXPECT_EQ(Value(2, "dpi_group6_value"), "26000");
}

TEST_F(ProfileFileTest, ExportedFileLayout) {
    ASSERT_TRUE(DeleteKeyBindings(3));
    ASSERT_GT(
        SaveKeyBinding({.profile = 3, .key_code = 5, .macro_type = 2, .macro_value = 9, .macro_desc = "A&B"}),
        0);
    const fs::path file = dir_ / "three.xml";
    ASSERT_TRUE(ExportProfileFile(3, file, kWithoutLighting));
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<profile>\r\n"
        "<profileinfo name=\"Profile  3\">\r\n"
        "<keyitems>\r\n"
        "<item key_code=\"5\" macro_type=\"2\" macro_value=\"9\" macro_value2=\"0\" macro_value3=\"0\" "
        "macro_desc=\"A&amp;B\"/>\r\n"
        "</keyitems>\r\n"
        "<Mouse_DPI dpi_flag=\"6\" dpi_index=\"1\" dpi_count=\"6\">\r\n"
        "<DPI1 value=\"800\" color=\"255\"/>\r\n"
        "<DPI2 value=\"1600\" color=\"16711680\"/>\r\n"
        "<DPI3 value=\"2400\" color=\"65280\"/>\r\n"
        "<DPI4 value=\"3200\" color=\"65535\"/>\r\n"
        "<DPI5 value=\"6400\" color=\"16711935\"/>\r\n"
        "<DPI6 value=\"26000\" color=\"16776960\"/>\r\n"
        "</Mouse_DPI>\r\n"
        "<Mouse>\r\n"
        "<button_respondtime value=\"8\"/>\r\n"
        "<report_rate value=\"2\"/>\r\n"
        "<sensor_flag value=\"53\"/>\r\n"
        "<liftoff_height value=\"1\"/>\r\n"
        "<scroll_flag value=\"1\"/>\r\n"
        "<e-sports_flag value=\"0\"/>\r\n"
        "<sleep_light value=\"1\"/>\r\n"
        "<move_wakeup value=\"0\"/>\r\n"
        "<move_closelight value=\"1\"/>\r\n"
        "</Mouse>\r\n"
        "</profileinfo>\r\n"
        "</profile>\r\n";
    EXPECT_EQ(ReadWholeFile(file).value_or(""), expected);

    // With lighting, the profile's active mode and rows go between the bindings and the DPI stages.
    ASSERT_TRUE(ExportProfileFile(1, file, kWithLighting));
    const std::string text = ReadWholeFile(file).value_or("");
    const auto lights = text.find(
        "<Lightitems lightmode=\"2\">\r\n<item light_mode=\"1\" brightness=\"11\" "
        "speed=\"1\" direction=\"1\" colorful=\"1\" colorindex=\"1\" color_value1=\"65552\"");
    EXPECT_NE(lights, std::string::npos);
    EXPECT_LT(text.find("</keyitems>"), lights);
    EXPECT_LT(lights, text.find("<Mouse_DPI"));
}

TEST_F(ProfileFileTest, ExportFailuresAreReportedAndLeaveNoFile) {
    EXPECT_FALSE(ExportProfileFile(99, dir_ / "missing profile.xml", kWithLighting));
    EXPECT_FALSE(fs::exists(dir_ / "missing profile.xml"));
    EXPECT_FALSE(ExportProfileFile(1, dir_ / "no such folder" / "p.xml", kWithLighting));
    // An existing file that cannot be replaced (a folder stands there) stays as it is.
    fs::create_directories(dir_ / "taken.xml");
    EXPECT_FALSE(ExportProfileFile(1, dir_ / "taken.xml", kWithLighting));
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.xml"));
}

const char* kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST_F(ProfileFileTest, FilesThatFailChangeNothing) {
    const fs::path good = dir_ / "good.xml";
    ASSERT_TRUE(ExportProfileFile(1, good, kWithLighting));
    const std::string whole = ReadWholeFile(good).value();
    struct Case {
        const char* what;
        std::string content;
        ProfileFileStatus status;
    };
    const Case cases[] = {
        {"empty file", "", ProfileFileStatus::Unreadable},
        {"not XML", "dpi_index=3\n", ProfileFileStatus::Unreadable},
        {"truncated", whole.substr(0, whole.size() / 2), ProfileFileStatus::Unreadable},
        {"cut before the last end tag", whole.substr(0, whole.rfind("</profile>")),
         ProfileFileStatus::Unreadable},
        {"tags crossed", std::string(kHeader) + "<profile><profileinfo></profile></profileinfo>",
         ProfileFileStatus::Unreadable},
        {"macro file", std::string(kHeader) + "<macro><profileinfo name=\"x\"/></macro>",
         ProfileFileStatus::NotAProfile},
        {"no profileinfo", std::string(kHeader) + "<profile><keyitems/></profile>",
         ProfileFileStatus::NotAProfile},
        {"empty root", std::string(kHeader) + "<profile/>", ProfileFileStatus::NotAProfile},
    };
    const std::string before = RawConnection(File()).Dump();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = dir_.Write(std::string(c.what) + ".xml", c.content);
        EXPECT_EQ(Import(file, 2).status, c.status);
        EXPECT_EQ(RawConnection(File()).Dump(), before);
    }
    EXPECT_EQ(Import(dir_ / "never written.xml", 2).status, ProfileFileStatus::Unreadable);
    EXPECT_EQ(Import(good, 99).status, ProfileFileStatus::StoreFailed);
    EXPECT_EQ(RawConnection(File()).Dump(), before);
    EXPECT_EQ(writeRequests_, 0);
}

TEST_F(ProfileFileTest, ImportThatFailsHalfWayLeavesTheProfileAsItWas) {
    const fs::path file = dir_ / "Work.xml";
    ASSERT_TRUE(ExportProfileFile(1, file, kWithLighting));
    // The second of the three bindings cannot be stored.
    RawConnection(File()).FailInsertsWhere("t_key_macro_data", "NEW.profile = 2 AND NEW.key_code = 4");
    const std::string before = RawConnection(File()).Dump();
    EXPECT_EQ(Import(file, 2).status, ProfileFileStatus::StoreFailed);
    EXPECT_EQ(RawConnection(File()).Dump(), before);
    EXPECT_EQ(writeRequests_, 0);
}

// Sections that a forward-only reader finds or misses, and what the profile keeps for each.
TEST_F(ProfileFileTest, SectionsAreReadInOrderOnly) {
    struct Case {
        const char* what;
        std::string body;  // the content of profileinfo
        int bindings;      // of profile 2 afterwards
        std::string dpiIndex, dpiStage0, dpiStage2, reportRate;
    };
    const std::string keyitems =
        "<keyitems><item key_code=\"1\" macro_type=\"1\" macro_value=\"5\"/>"
        "<item key_code=\"2\" macro_type=\"1\" macro_value=\"0\"/></keyitems>";
    const std::string dpi =
        "<Mouse_DPI dpi_flag=\"3\" dpi_index=\"2\" dpi_count=\"3\">"
        "<DPI1 value=\"111\" color=\"1\"/><DPI3 value=\"333\" color=\"3\"/></Mouse_DPI>";
    const std::string mouse = "<Mouse><report_rate value=\"8\"/></Mouse>";
    // Profile 2 starts with the defaults and one binding.
    const Case cases[] = {
        {"in order", keyitems + dpi + mouse, 1, "2", "111", "333", "8"},
        {"Mouse before Mouse_DPI", keyitems + mouse + dpi, 1, "2", "111", "333", "2"},
        {"Mouse_DPI before keyitems", dpi + keyitems + mouse, 1, "1", "800", "2400", "8"},
        {"no keyitems", dpi + mouse, 0, "2", "111", "333", "8"},
        {"DPI3 before DPI1",
         keyitems + "<Mouse_DPI><DPI3 value=\"333\"/><DPI1 value=\"111\"/></Mouse_DPI>" + mouse, 1, "", "111",
         "2400", "8"},
        {"unknown elements between", "<note/>" + keyitems + "<x><Mouse/></x>" + dpi + "<y/>" + mouse, 1, "2",
         "111", "333", "8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Fresh state for profile 2.
        RawConnection raw(File());
        ASSERT_TRUE(raw.Exec("DELETE FROM t_configdata WHERE profile = 2"));
        ASSERT_TRUE(InsertDefaultConfig(2));
        ASSERT_TRUE(DeleteKeyBindings(2));
        ASSERT_GT(SaveKeyBinding({.profile = 2, .key_code = 9, .macro_type = 1, .macro_value = 1}), 0);

        const fs::path file =
            dir_.Write("order.xml", std::string(kHeader) + "<profile><profileinfo name=\"ignored\">" +
                                        c.body + "</profileinfo></profile>");
        ASSERT_EQ(Import(file, 2).status, ProfileFileStatus::Ok);
        std::vector<KeyBinding> bindings;
        EXPECT_EQ(ListKeyBindings(2, bindings), c.bindings);
        EXPECT_EQ(Value(2, "dpi_index"), c.dpiIndex);
        EXPECT_EQ(Value(2, "dpi_group0_value"), c.dpiStage0);
        EXPECT_EQ(Value(2, "dpi_group2_value"), c.dpiStage2);
        EXPECT_EQ(Value(2, "report_rate"), c.reportRate);
        std::string name;
        ASSERT_TRUE(GetProfileName(2, name));
        EXPECT_EQ(name, "order");
    }
}

TEST_F(ProfileFileTest, LightingRowsChangeOnlyForModesTheProfileHas) {
    const std::string before = RawConnection(File()).Dump();
    const std::string file =
        std::string(kHeader) +
        "<profile><profileinfo><keyitems/><Lightitems lightmode=\"3\">"
        "<item light_mode=\"3\" brightness=\"99\"/><item light_mode=\"1\" brightness=\"77\" speed=\"5\"/>"
        "</Lightitems></profileinfo></profile>";
    // Profile 2 has no mode 3: its active mode stays 1, and only mode 1 takes the file's values.
    ASSERT_EQ(Import(dir_.Write("Lights.xml", file), 2).status, ProfileFileStatus::Ok);
    EXPECT_EQ(GetActiveLightMode(2), 1);
    LightSetting light;
    ASSERT_TRUE(GetLight(2, 1, light));
    EXPECT_EQ(light.brightness, 77);
    EXPECT_EQ(light.speed, 5);
    EXPECT_EQ(light.color_value, (std::array<int, kLightColorValues>{}));  // missing attributes read as 0
    ASSERT_TRUE(GetLight(2, 2, light));
    EXPECT_EQ(light.brightness, 22);
    EXPECT_EQ(CountLights(2), 2);

    // A model without lighting ignores the section altogether.
    ASSERT_EQ(Import(dir_.Write("Lights.xml", file), 1, kWithoutLighting).status, ProfileFileStatus::Ok);
    EXPECT_EQ(GetActiveLightMode(1), 2);
    ASSERT_TRUE(GetLight(1, 3, light));
    EXPECT_EQ(light.brightness, 13);
}

TEST(ProfileNameFromFile, DropsFolderAndTheLastFourCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/Work.xml", "Work"},
        {"Work.XML", "Work"},
        {"/x/Büro.xml", "Büro"},
        {"配置档案.xml", "配置档案"},
        {"a.b.xml", "a.b"},
        {"profile", "pro"},
        {"配置档案", ""},
        {".xml", ""},
        {"x", ""},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(ProfileNameFromFile(path), name) << path;
}

TEST_F(ProfileFileTest, FileWithoutANameKeepsTheProfilesName) {
    const fs::path file = dir_ / ".xml";
    ASSERT_TRUE(ExportProfileFile(1, file, kWithLighting));
    const ProfileImportResult result = Import(file, 2);
    ASSERT_EQ(result.status, ProfileFileStatus::Ok);
    EXPECT_EQ(result.profile_name, "Profile 2");
    std::string name;
    ASSERT_TRUE(GetProfileName(2, name));
    EXPECT_EQ(name, "Profile 2");
}

}  // namespace
}  // namespace vellomir
