// A process that dies while it writes (kill -9 at a random moment, many times over) leaves a file
// that opens as it is and holds either the state before or after the change it was making.

#include <gtest/gtest.h>

#include <random>

#include "DatabaseFixture.h"
#include "KilledWriter.h"
#include "storage/ConfigStore.h"
#include "storage/MacroStore.h"
#include "storage/ProfileStore.h"
#include "storage/StoreTransaction.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;
using test::RawConnection;
using test::TempDir;

constexpr int kEvents = 200;

std::vector<MacroEvent> Generation(int macroId, int generation) {
    std::vector<MacroEvent> events;
    for (int i = 0; i < kEvents; ++i)
        events.push_back(MacroEvent{.macro_id = macroId,
                                    .type = 2,
                                    .record_index = i,
                                    .value = generation,
                                    .delay_time = i,
                                    .desc = "event"});
    return events;
}

int FilesNamedDamaged(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find("damaged") != std::string::npos) ++count;
    return count;
}

TEST(CrashSafety, KilledWriterLeavesTheOldOrTheNewState) {
    TempDir dir;
    ConfigDatabase& db = ConfigDatabase::Instance();
    db.CloseIfOpen();
    ASSERT_TRUE(db.OpenForDevice(dir.path(), "m1"));
    const int macro = CreateMacro("m");
    const ConfigEntry rows[] = {{"generation", "0"}};
    const int profile = InsertProfile(ProfileInfo{.name = "p"}, rows);
    ASSERT_TRUE(ReplaceMacroEvents(macro, Generation(macro, 0)));
    // No connection may be shared with the child processes.
    db.CloseIfOpen();

    std::mt19937 random(20261211);
    int newest = 0;
    constexpr int kRounds = 40;
    for (int round = 1; round <= kRounds; ++round) {
        // Every other round waits for a first finished change, so some kills land after work was done.
        const int steps = round % 2;
        const auto delay = std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random));
        ASSERT_TRUE(test::RunAndKill(
            [&] {
                // Rewrites the macro and the profile's value, each change all or nothing, until killed.
                if (!db.OpenForDevice(dir.path(), "m1")) _exit(3);
                for (int g = round * 100000;; ++g) {
                    StoreTransaction change;
                    if (!ReplaceMacroEvents(macro, Generation(macro, g)) ||
                        !SetConfigValue(profile, "generation", std::to_string(g)) || !change.Commit())
                        _exit(4);
                    test::ReportStep();
                }
            },
            steps, delay));

        ASSERT_TRUE(db.OpenForDevice(dir.path(), "m1")) << "round " << round;
        std::vector<MacroEvent> events;
        ASSERT_EQ(ListMacroEvents(macro, events), kEvents) << "round " << round;
        const int generation = events[0].value;
        for (const MacroEvent& e : events)
            ASSERT_EQ(e.value, generation) << "round " << round;
        std::string value;
        ASSERT_TRUE(GetConfigValue(profile, "generation", value));
        EXPECT_EQ(value, std::to_string(generation)) << "round " << round;
        EXPECT_GE(generation, newest);
        newest = generation;
        db.CloseIfOpen();
        EXPECT_EQ(
            RawConnection(ConfigDatabase::DatabaseFile(dir.path(), "m1")).Texts("PRAGMA integrity_check"),
            std::vector<std::string>{"ok"});
    }
    EXPECT_EQ(FilesNamedDamaged(dir.path() / "db"), 0);
    // The writers did get work done.
    EXPECT_GT(newest, 0);
}

}  // namespace
}  // namespace vellomir
