// A process killed (kill -9) while it creates the first four profiles or imports a profile file
// leaves a file that opens as it is, with either no profiles or all four, and a profile that holds
// either its old content or the whole imported file.

#include <gtest/gtest.h>

#include <random>

#include "profiles/ProfileFile.h"
#include "profiles/Profiles.h"
#include "storage/ConfigStore.h"
#include "storage/DatabaseFixture.h"
#include "storage/KeyBindingStore.h"
#include "storage/KilledWriter.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using test::RawConnection;
using test::TempDir;

// The content of a profile file: `count` bindings with value `value`, a DPI index and a report rate.
std::string ProfileText(int count, int value, const char* dpiIndex, const char* reportRate) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n<profileinfo>\r\n<keyitems>\r\n";
    for (int key = 0; key < count; ++key)
        text += "<item key_code=\"" + std::to_string(key) + "\" macro_type=\"1\" macro_value=\"" +
                std::to_string(value) + "\"/>\r\n";
    text += std::string("</keyitems>\r\n<Mouse_DPI dpi_flag=\"6\" dpi_index=\"") + dpiIndex +
            "\" dpi_count=\"6\"/>\r\n<Mouse>\r\n<report_rate value=\"" + reportRate +
            "\"/>\r\n</Mouse>\r\n</profileinfo>\r\n</profile>\r\n";
    return text;
}

struct ProfileState {
    const char* name;
    int bindings;
    int value;
    const char* dpiIndex;
    const char* reportRate;
};
// What profile 1 may hold: as created, or one of the two files whole.
const ProfileState kStates[] = {
    {"Profile 1", 0, 0, "1", "2"}, {"A", 3, 11, "2", "1"}, {"B", 5, 22, "4", "8"}};

TEST(ProfileCrashSafety, KilledWhileCreatingOrImportingLeavesAWholeState) {
    TempDir dir;
    const fs::path fileA = dir.Write("A.xml", ProfileText(3, 11, "2", "1"));
    const fs::path fileB = dir.Write("B.xml", ProfileText(5, 22, "4", "8"));
    ConfigDatabase& db = ConfigDatabase::Instance();
    db.CloseIfOpen();

    std::mt19937 random(4242);
    int roundsWithProfiles = 0, roundsWithImports = 0;
    std::string stem;
    for (int round = 0; round < 40; ++round) {
        // Every third round starts from no file at all, so creation is cut short too.
        if (round % 3 == 0) stem = "model" + std::to_string(round);
        // Kill before the profiles exist, after them, or after a first import, plus a random delay.
        const int steps = round % 3;
        const auto delay = std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random));
        ASSERT_TRUE(test::RunAndKill(
            [&] {
                if (!db.OpenForDevice(dir.path(), stem)) _exit(3);
                if (LoadProfiles("Profile", std::nullopt).current_profile != 1) _exit(4);
                test::ReportStep();
                const ProfileFileOptions options{.profile_word = "Profile"};
                for (int i = 0;; ++i) {
                    if (ImportProfileFile(i % 2 == 0 ? fileA : fileB, 1, options, nullptr).status !=
                        ProfileFileStatus::Ok)
                        _exit(5);
                    test::ReportStep();
                }
            },
            steps, delay));

        SCOPED_TRACE("round " + std::to_string(round));
        const fs::path file = ConfigDatabase::DatabaseFile(dir.path(), stem);
        if (!fs::exists(file)) continue;  // killed before the file was made
        ASSERT_TRUE(db.OpenForDevice(dir.path(), stem));
        std::vector<ProfileInfo> profiles;
        const int count = ListProfiles(profiles);
        ASSERT_TRUE(count == 0 || count == 4) << count;
        if (count == 4) {
            ++roundsWithProfiles;
            RawConnection raw(file);
            EXPECT_EQ(raw.Int("SELECT count(*) FROM t_configdata"), 4 * 39);
            EXPECT_EQ(raw.Int("SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);
            std::string name;
            ASSERT_TRUE(GetProfileName(1, name));
            const ProfileState* state = nullptr;
            for (const ProfileState& s : kStates)
                if (name == s.name) state = &s;
            ASSERT_NE(state, nullptr) << name;
            if (state != &kStates[0]) ++roundsWithImports;
            std::vector<KeyBinding> bindings;
            EXPECT_EQ(ListKeyBindings(1, bindings), state->bindings);
            for (const KeyBinding& b : bindings)
                EXPECT_EQ(b.macro_value, state->value);
            std::string value;
            ASSERT_TRUE(GetConfigValue(1, "dpi_index", value));
            EXPECT_EQ(value, state->dpiIndex);
            ASSERT_TRUE(GetConfigValue(1, "report_rate", value));
            EXPECT_EQ(value, state->reportRate);
        }
        db.CloseIfOpen();
        EXPECT_EQ(RawConnection(file).Texts("PRAGMA integrity_check"), std::vector<std::string>{"ok"});
    }
    for (const auto& entry : fs::directory_iterator(dir.path() / "db"))
        EXPECT_EQ(entry.path().filename().string().find("damaged"), std::string::npos) << entry.path();
    // The kills landed at different stages: some after the profiles were made, some after imports.
    EXPECT_GT(roundsWithProfiles, 0);
    EXPECT_GT(roundsWithImports, 0);
}

}  // namespace
}  // namespace vellomir
