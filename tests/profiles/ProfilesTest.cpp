// The four initial profiles, choosing the active one, and the names shown for profiles.

#include <gtest/gtest.h>

#include "profiles/ConfigKeys.h"
#include "profiles/Profiles.h"
#include "storage/ConfigStore.h"
#include "storage/DatabaseFixture.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

using test::DatabaseTest;
using test::RawConnection;

DeviceDefaults ModelDefaults() {
    DeviceDefaults d;
    d.has_mouse_info = true;
    DpiDefaults dpi;
    dpi.default_dpi = "0";
    dpi.dpi_count = "5";
    dpi.stages[0] = DpiStageDefault{"500", "#00FF00"};
    d.dpi = dpi;
    d.report_rate = "8";
    return d;
}

TEST_F(DatabaseTest, FirstLoadCreatesFourProfilesWithTheModelsDefaults) {
    const LoadedProfiles loaded = LoadProfiles("Profil", ModelDefaults());
    EXPECT_TRUE(loaded.created);
    EXPECT_EQ(loaded.current_profile, 1);
    EXPECT_EQ(loaded.name, "Profil 1");

    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(ListProfiles(profiles), 4);
    for (int n = 1; n <= 4; ++n) {
        const ProfileInfo& p = profiles[n - 1];
        EXPECT_EQ(
            p, (ProfileInfo{.profile = n, .name = "Profil " + std::to_string(n), .status = n == 1 ? 1 : 0}));
        RawConnection raw(File());
        EXPECT_EQ(raw.Int("SELECT count(*) FROM t_configdata WHERE profile = " + std::to_string(n)), 39);
        std::string value;
        ASSERT_TRUE(GetConfigValue(n, "dpi_count", value));
        EXPECT_EQ(value, "5");
        ASSERT_TRUE(GetConfigValue(n, "dpi_group0_rgb", value));
        EXPECT_EQ(value, "65280");
        ASSERT_TRUE(GetConfigValue(n, "report_rate", value));
        EXPECT_EQ(value, "8");
        ASSERT_TRUE(GetConfigValue(n, "dpi_group1_value", value));
        EXPECT_EQ(value, "1600");
    }

    // Loading again finds them: nothing is added, the active one is kept.
    ASSERT_TRUE(ActivateProfile(3));
    const LoadedProfiles again = LoadProfiles("Profile", ModelDefaults());
    EXPECT_FALSE(again.created);
    EXPECT_EQ(again.current_profile, 3);
    EXPECT_EQ(again.name, "Profil 3");
    EXPECT_EQ(ListProfiles(profiles), 4);
}

TEST_F(DatabaseTest, WithoutADescriptionTheProfilesKeepThePlainDefaults) {
    const LoadedProfiles loaded = LoadProfiles("配置", std::nullopt);
    EXPECT_EQ(loaded.name, "配置 1");
    std::string value;
    ASSERT_TRUE(GetConfigValue(4, "report_rate", value));
    EXPECT_EQ(value, "2");
}

TEST_F(DatabaseTest, WhenNoProfileIsActiveTheFirstOneBecomesActive) {
    LoadProfiles("Profile", std::nullopt);
    RawConnection raw(File());
    ASSERT_TRUE(raw.Exec("UPDATE t_profile_data SET status = 0"));
    LoadedProfiles loaded = LoadProfiles("Profile", std::nullopt);
    EXPECT_FALSE(loaded.created);
    EXPECT_EQ(loaded.current_profile, 1);
    EXPECT_EQ(GetActiveProfile(), 1);

    // A file whose profiles do not start at 1 still ends with an active profile.
    ASSERT_TRUE(raw.Exec("UPDATE t_profile_data SET status = 0, profile = profile + 10"));
    loaded = LoadProfiles("Profile", std::nullopt);
    EXPECT_EQ(loaded.current_profile, 11);
    EXPECT_EQ(loaded.name, "Profile 1");
}

TEST_F(DatabaseTest, FailedCreationLeavesNoProfileBehind) {
    // The third profile's configuration cannot be written.
    RawConnection(File()).FailInsertsWhere("t_configdata", "NEW.profile = 3 AND NEW.key = 'dpi_index'");
    const LoadedProfiles failed = LoadProfiles("Profile", ModelDefaults());
    EXPECT_FALSE(failed.created);
    EXPECT_EQ(failed.current_profile, 0);
    EXPECT_EQ(failed.name, "");
    RawConnection raw(File());
    EXPECT_EQ(raw.Int("SELECT count(*) FROM t_profile_data"), 0);
    EXPECT_EQ(raw.Int("SELECT count(*) FROM t_configdata"), 0);

    // Once the fault is gone the next load makes the four, numbered from 1.
    ASSERT_TRUE(raw.Exec("DROP TRIGGER injected_fault"));
    const LoadedProfiles loaded = LoadProfiles("Profile", ModelDefaults());
    EXPECT_TRUE(loaded.created);
    EXPECT_EQ(loaded.current_profile, 1);
    EXPECT_EQ(raw.Int("SELECT count(*) FROM t_configdata"), 4 * 39);
}

TEST_F(DatabaseTest, WithoutADatabaseNoProfileIsLoaded) {
    ConfigDatabase::Instance().CloseIfOpen();
    const LoadedProfiles loaded = LoadProfiles("Profile", ModelDefaults());
    EXPECT_FALSE(loaded.created);
    EXPECT_EQ(loaded.current_profile, 0);
}

TEST(ProfileDisplayName, ReplacesTheKnownWordForProfile) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Profile 2", "Profil", "Profil  2"},  // the stored space stays after the added one
        {"Profile X", "Profile", "Profile  X"},
        {"配置3", "Profil", "Profil 3"},
        {"配置 1", "プロファイル", "プロファイル  1"},
        {"Profile", "P", "P "},
        {"profile 2", "P", "profile 2"},  // exact comparison
        {"Profil", "P", "Profil"},
        {"Work", "P", "Work"},
        {"", "P", ""},
        {"My Profile 1", "P", "My Profile 1"},
    };
    for (const auto& [stored, word, shown] : cases)
        EXPECT_EQ(ProfileDisplayName(stored, word), shown) << stored;
}

}  // namespace
}  // namespace vellomir
