// The store operations against a real database file: single-row and list rules, insert ids, the
// two-statement operations, text round trips, and behaviour without a connection.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "DatabaseFixture.h"
#include "storage/ConfigStore.h"
#include "storage/KeyBindingStore.h"
#include "storage/LightStore.h"
#include "storage/MacroStore.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

using test::DatabaseTest;
using test::RawConnection;

// Text outside ASCII in several scripts, with an emoji outside the BMP and an apostrophe.
const std::string kWideText = "Büro – 配置 ✓ l'été 🎮";

KeyBinding Binding(int profile, int keyCode, int value, int value2 = 0) {
    return KeyBinding{.profile = profile,
                      .key_code = keyCode,
                      .layout_value = 7,
                      .layout_desc = "layout",
                      .macro_type = 2,
                      .macro_value = value,
                      .macro_value2 = value2,
                      .macro_value3 = 9,
                      .macro_desc = "desc " + std::to_string(keyCode)};
}

LightSetting Light(int profile, int mode, int seed) {
    LightSetting light{.profile = profile,
                       .name = "mode " + std::to_string(mode),
                       .mode = mode,
                       .brightness = seed + 1,
                       .speed = seed + 2,
                       .direction = seed + 3,
                       .colorful = seed + 4,
                       .colorindex = seed + 5,
                       .config_func = seed + 13,
                       .reserved = seed + 14,
                       .status = 0};
    for (int i = 0; i < kLightColorValues; ++i)
        light.color_value[i] = 0x10000 * seed + i;
    return light;
}

TEST_F(DatabaseTest, ConfigValuesUpdateOnlyExistingRows) {
    const ConfigEntry rows[] = {{"dpi_index", "1"}, {"name", ""}};
    ASSERT_TRUE(InsertConfigRows(3, rows));

    std::string value = "left over";
    EXPECT_FALSE(GetConfigValue(3, "report_rate", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(GetConfigValue(4, "dpi_index", value));

    // A key without a row: success, nothing stored.
    EXPECT_TRUE(SetConfigValue(3, "report_rate", "8"));
    EXPECT_FALSE(GetConfigValue(3, "report_rate", value));

    EXPECT_TRUE(SetConfigValue(3, "dpi_index", kWideText));
    ASSERT_TRUE(GetConfigValue(3, "dpi_index", value));
    EXPECT_EQ(value, kWideText);
    // An empty value is stored as empty text, not NULL.
    ASSERT_TRUE(GetConfigValue(3, "name", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(RawConnection(File()).Int("SELECT count(*) FROM t_configdata WHERE value IS NULL"), 0);
}

TEST_F(DatabaseTest, ProfilesAreCreatedWithTheirRowsAndActivatedOneAtATime) {
    const ConfigEntry rows[] = {{"a", "1"}, {"b", "2"}};
    const int first = InsertProfile(ProfileInfo{.profile = 99, .name = "one", .status = 1}, rows);
    const int second = InsertProfile(ProfileInfo{.name = kWideText}, rows);
    EXPECT_EQ(first, 1);  // the record's own id and status are not used
    EXPECT_EQ(second, 2);

    std::vector<ProfileInfo> profiles(3);
    ASSERT_EQ(ListProfiles(profiles), 2);
    EXPECT_EQ(profiles[0], (ProfileInfo{.profile = 1, .name = "one", .app = "", .type = 0, .status = 0}));
    EXPECT_EQ(profiles[1].name, kWideText);
    EXPECT_EQ(RawConnection(File()).Int("SELECT count(*) FROM t_configdata WHERE profile = 2"), 2);

    EXPECT_EQ(GetActiveProfile(), 0);
    EXPECT_TRUE(ActivateProfile(2));
    EXPECT_TRUE(ActivateProfile(1));
    EXPECT_EQ(GetActiveProfile(), 1);
    EXPECT_EQ(RawConnection(File()).Int("SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);
    // A profile that does not exist: the statement succeeds and no profile is active.
    EXPECT_TRUE(ActivateProfile(7));
    EXPECT_EQ(GetActiveProfile(), 0);

    std::string name = "stale";
    EXPECT_TRUE(RenameProfile(1, "Work"));
    ASSERT_TRUE(GetProfileName(1, name));
    EXPECT_EQ(name, "Work");
    EXPECT_FALSE(GetProfileName(5, name));
    EXPECT_EQ(name, "");
}

TEST_F(DatabaseTest, ProfileIsNotCreatedWhenOneOfItsRowsFails) {
    RawConnection(File()).FailInsertsWhere("t_configdata", "NEW.key = 'b'");
    const ConfigEntry rows[] = {{"a", "1"}, {"b", "2"}};
    EXPECT_EQ(InsertProfile(ProfileInfo{.name = "half"}, rows), 0);
    RawConnection raw(File());
    EXPECT_EQ(raw.Int("SELECT count(*) FROM t_profile_data"), 0);
    EXPECT_EQ(raw.Int("SELECT count(*) FROM t_configdata"), 0);
}

TEST_F(DatabaseTest, SaveKeyBindingKeepsAtMostOneRowPerButton) {
    struct Case {
        int value, value2;
        int rowsAfter;
    };
    // Each save replaces the previous one of the same button; 0/0 removes it.
    const Case steps[] = {{5, 0, 1}, {6, 0, 1}, {0, 3, 1}, {0, 0, 0}, {0, 0, 0}, {8, 8, 1}};
    for (const Case& step : steps) {
        SCOPED_TRACE(testing::Message() << step.value << "/" << step.value2);
        const int id = SaveKeyBinding(Binding(1, 0x10, step.value, step.value2));
        EXPECT_EQ(id != 0, step.rowsAfter == 1);
        std::vector<KeyBinding> list;
        ASSERT_EQ(ListKeyBindings(1, list), step.rowsAfter);
        if (step.rowsAfter == 1) {
            EXPECT_EQ(list[0].key_id, id);
            EXPECT_EQ(list[0].macro_value, step.value);
            EXPECT_EQ(list[0].macro_value2, step.value2);
        }
    }
}

TEST_F(DatabaseTest, KeyBindingsReadBackWholeAndStayInTheirProfileAndLayer) {
    KeyBinding stored = Binding(1, 0x20, 4);
    stored.macro_desc = kWideText;
    stored.key_id = SaveKeyBinding(stored);
    ASSERT_GT(stored.key_id, 0);
    ASSERT_GT(SaveKeyBinding(Binding(2, 0x20, 5)), 0);
    KeyBinding otherLayer = Binding(1, 0x21, 6);
    otherLayer.fn_layer = 1;
    ASSERT_GT(SaveKeyBinding(otherLayer), 0);

    KeyBinding read;
    ASSERT_TRUE(GetKeyBinding(1, 0x20, read));
    EXPECT_EQ(read, stored);
    const KeyBinding untouched = Binding(9, 9, 9);
    read = untouched;
    EXPECT_FALSE(GetKeyBinding(1, 0x21, read));  // fn_layer 1 is not read
    EXPECT_FALSE(GetKeyBinding(1, 0x30, read));
    EXPECT_EQ(read, untouched);

    EXPECT_TRUE(UpdateKeyBindingDesc(1, 0x20, "Renamed"));
    ASSERT_TRUE(GetKeyBinding(1, 0x20, read));
    EXPECT_EQ(read.macro_desc, "Renamed");
    ASSERT_TRUE(GetKeyBinding(2, 0x20, read));
    EXPECT_EQ(read.macro_desc, "desc 32");

    std::vector<KeyBinding> list(4);
    EXPECT_EQ(ListKeyBindings(1, list), 1);
    EXPECT_TRUE(DeleteKeyBindings(1));
    EXPECT_EQ(ListKeyBindings(1, list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ListKeyBindings(2, list), 1);
    // DeleteKeyBindings takes every layer of the profile.
    EXPECT_EQ(RawConnection(File()).Int("SELECT count(*) FROM t_key_macro_data WHERE profile = 1"), 0);
}

TEST_F(DatabaseTest, FailedInsertKeepsTheButtonsPreviousBinding) {
    ASSERT_GT(SaveKeyBinding(Binding(1, 0x10, 5)), 0);
    RawConnection(File()).FailInsertsWhere("t_key_macro_data", "NEW.macro_value = 6");
    EXPECT_EQ(SaveKeyBinding(Binding(1, 0x10, 6)), 0);
    KeyBinding read;
    ASSERT_TRUE(GetKeyBinding(1, 0x10, read));
    EXPECT_EQ(read.macro_value, 5);
}

TEST_F(DatabaseTest, LightRowsUpdateByModeAndKeepNameAndStatus) {
    LightSetting a = Light(1, 1, 1);
    a.name = kWideText;
    a.light_id = InsertLight(a);
    ASSERT_GT(a.light_id, 0);
    LightSetting b = Light(1, 2, 2);
    b.light_id = InsertLight(b);
    LightSetting other = Light(2, 1, 3);
    other.light_id = InsertLight(other);
    EXPECT_EQ(CountLights(1), 2);
    EXPECT_EQ(CountLights(3), 0);

    LightSetting read;
    ASSERT_TRUE(GetLight(1, 1, read));
    EXPECT_EQ(read, a);
    read = b;
    EXPECT_FALSE(GetLight(1, 9, read));
    EXPECT_EQ(read, b);

    LightSetting change = Light(1, 99, 7);  // mode, name and status of the record are not used
    change.name = "ignored";
    change.status = 1;
    ASSERT_TRUE(UpdateLight(1, change));
    ASSERT_TRUE(GetLight(1, 1, read));
    LightSetting expected = change;
    expected.light_id = a.light_id;
    expected.mode = 1;
    expected.name = kWideText;
    expected.status = 0;
    EXPECT_EQ(read, expected);
    ASSERT_TRUE(GetLight(2, 1, read));
    EXPECT_EQ(read, other);  // another profile's row of the same mode is left alone

    EXPECT_EQ(GetActiveLightMode(1), 0);
    EXPECT_TRUE(SetActiveLightMode(1, 2));
    EXPECT_TRUE(SetActiveLightMode(2, 1));
    EXPECT_TRUE(SetActiveLightMode(1, 1));
    EXPECT_EQ(GetActiveLightMode(1), 1);
    EXPECT_EQ(GetActiveLightMode(2), 1);
    std::vector<LightSetting> lights;
    ASSERT_EQ(ListLights(1, lights), 2);
    EXPECT_EQ(lights[0].status + lights[1].status, 1);
}

TEST_F(DatabaseTest, MacrosKeepTheirSettingsAndIdsAreNeverReused) {
    const int created = CreateMacro(kWideText);
    MacroInfo read;
    ASSERT_TRUE(GetMacro(created, read));
    EXPECT_EQ(read, (MacroInfo{.macro_id = created,
                               .name = kWideText,
                               .play_type = 0,
                               .play_times = 1,
                               .delay_type = 1,
                               .delay_time = 0}));

    MacroInfo custom{.name = "custom", .play_type = 2, .play_times = 5, .delay_type = 2, .delay_time = 40};
    custom.macro_id = InsertMacro(custom);
    ASSERT_TRUE(GetMacro(custom.macro_id, read));
    EXPECT_EQ(read, custom);

    custom.name = "changed";
    custom.play_times = 999;
    EXPECT_TRUE(UpdateMacro(custom));
    EXPECT_TRUE(RenameMacro(created, "Custom 1"));
    std::vector<MacroInfo> macros;
    ASSERT_EQ(ListMacros(macros), 2);
    EXPECT_EQ(macros[0].name, "Custom 1");
    EXPECT_EQ(macros[1], custom);

    ASSERT_TRUE(DeleteMacro(custom.macro_id));
    read = MacroInfo{.name = "untouched"};
    EXPECT_FALSE(GetMacro(custom.macro_id, read));
    EXPECT_EQ(read.name, "untouched");
    EXPECT_GT(CreateMacro("next"), custom.macro_id);
}

std::vector<MacroEvent> Events(int macroId, int count, int generation) {
    std::vector<MacroEvent> events;
    for (int i = 0; i < count; ++i)
        events.push_back(MacroEvent{.macro_id = macroId,
                                    .type = 2 + i % 2,
                                    .record_index = i,
                                    .value = generation,
                                    .delay_time = 1000 + i / 2,
                                    .desc = "↓  " + std::to_string(i)});
    return events;
}

TEST_F(DatabaseTest, MacroEventsComeBackInIndexOrderAndGoWithTheirMacro) {
    const int keep = CreateMacro("keep");
    const int drop = CreateMacro("drop");
    std::vector<MacroEvent> events = Events(keep, 6, 1);
    std::vector<MacroEvent> shuffled = {events[3], events[0], events[5], events[1], events[4], events[2]};
    EXPECT_TRUE(InsertMacroEvents(shuffled));
    EXPECT_GT(InsertMacroEvent(Events(drop, 1, 2)[0]), 0);

    std::vector<MacroEvent> read;
    ASSERT_EQ(ListMacroEvents(keep, read), 6);
    for (int i = 0; i < 6; ++i) {
        events[i].record_id = read[i].record_id;
        EXPECT_EQ(read[i], events[i]) << i;
    }

    EXPECT_TRUE(DeleteMacro(drop));
    EXPECT_EQ(ListMacroEvents(drop, read), 0);
    EXPECT_EQ(ListMacroEvents(keep, read), 6);
    EXPECT_TRUE(DeleteMacroEvents(keep));
    EXPECT_EQ(ListMacroEvents(keep, read), 0);
}

TEST_F(DatabaseTest, ReplacingMacroEventsIsAllOrNothing) {
    const int macro = CreateMacro("m");
    ASSERT_TRUE(ReplaceMacroEvents(macro, Events(macro, 200, 1)));
    ASSERT_TRUE(ReplaceMacroEvents(macro, Events(macro, 10, 2)));
    std::vector<MacroEvent> read;
    ASSERT_EQ(ListMacroEvents(macro, read), 10);

    // The insert of the 8th event fails: the previous list stays whole.
    RawConnection(File()).FailInsertsWhere("t_macrorecord", "NEW.record_index = 7 AND NEW.value = 3");
    EXPECT_FALSE(ReplaceMacroEvents(macro, Events(macro, 50, 3)));
    ASSERT_EQ(ListMacroEvents(macro, read), 10);
    EXPECT_TRUE(std::all_of(read.begin(), read.end(), [](const MacroEvent& e) { return e.value == 2; }));
}

TEST_F(DatabaseTest, EveryStoreFailsCleanlyWithoutAConnection) {
    const int profile = InsertProfile(ProfileInfo{.name = "p"}, {});
    ASSERT_GT(profile, 0);
    ConfigDatabase::Instance().CloseIfOpen();

    EXPECT_FALSE(SetConfigValue(profile, "k", "v"));
    std::string text = "x";
    EXPECT_FALSE(GetConfigValue(profile, "k", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(InsertProfile(ProfileInfo{.name = "q"}, {}), 0);
    EXPECT_FALSE(RenameProfile(profile, "n"));
    std::vector<ProfileInfo> profiles(1);
    EXPECT_EQ(ListProfiles(profiles), 0);
    EXPECT_TRUE(profiles.empty());
    EXPECT_FALSE(ActivateProfile(profile));
    EXPECT_EQ(GetActiveProfile(), 0);
    EXPECT_EQ(SaveKeyBinding(Binding(profile, 1, 1)), 0);
    EXPECT_FALSE(DeleteKeyBindings(profile));
    EXPECT_EQ(InsertLight(Light(profile, 1, 1)), 0);
    EXPECT_EQ(CountLights(profile), 0);
    EXPECT_FALSE(SetActiveLightMode(profile, 1));
    EXPECT_EQ(CreateMacro("m"), 0);
    EXPECT_EQ(InsertMacro(MacroInfo{.name = "m"}), 0);
    EXPECT_EQ(InsertMacroEvent(MacroEvent{.macro_id = 1}), 0);
    EXPECT_FALSE(InsertMacroEvents(Events(1, 3, 1)));
    EXPECT_FALSE(ReplaceMacroEvents(1, Events(1, 3, 1)));
    EXPECT_FALSE(DeleteMacro(1));
}

// The UI thread and the device worker use the stores at the same time. Each must see the other's
// changes whole: a macro list being replaced is never seen half-way, a button never has two rows.
TEST_F(DatabaseTest, TwoThreadsSeeOnlyWholeChanges) {
    const int macro = CreateMacro("shared");
    ASSERT_TRUE(ReplaceMacroEvents(macro, Events(macro, 10, 0)));
    const ConfigEntry rows[] = {{"dpi_index", "0"}};
    const int profile = InsertProfile(ProfileInfo{.name = "p"}, rows);
    ASSERT_GT(profile, 0);
    constexpr int kRounds = 300;
    std::atomic<int> failures{0};
    auto check = [&](bool ok) {
        if (!ok) failures.fetch_add(1);
    };

    std::thread writer([&] {
        for (int g = 1; g <= kRounds; ++g) {
            check(ReplaceMacroEvents(macro, Events(macro, g % 2 == 1 ? 20 : 10, g)));
            check(SetConfigValue(profile, "dpi_index", std::to_string(g)));
            check(SaveKeyBinding(Binding(profile, g % 4, g)) > 0);
            check(ActivateProfile(profile));
        }
    });
    std::thread reader([&] {
        std::vector<MacroEvent> events;
        std::vector<KeyBinding> bindings;
        std::string value;
        for (int i = 0; i < kRounds; ++i) {
            const int count = ListMacroEvents(macro, events);
            check(count == 10 || count == 20);
            const int generation = count > 0 ? events[0].value : -1;
            check(count == (generation % 2 == 1 ? 20 : 10));
            for (const MacroEvent& e : events)
                check(e.value == generation);

            check(ListKeyBindings(profile, bindings) <= 4);
            for (size_t a = 0; a < bindings.size(); ++a)
                for (size_t b = a + 1; b < bindings.size(); ++b)
                    check(bindings[a].key_code != bindings[b].key_code);

            check(GetConfigValue(profile, "dpi_index", value));
            check(GetActiveProfile() == profile || GetActiveProfile() == 0);
            check(InsertLight(Light(profile, i, i)) > 0);
        }
    });
    writer.join();
    reader.join();
    EXPECT_EQ(failures.load(), 0);

    std::string value;
    ASSERT_TRUE(GetConfigValue(profile, "dpi_index", value));
    EXPECT_EQ(value, std::to_string(kRounds));
    EXPECT_EQ(CountLights(profile), kRounds);
    EXPECT_EQ(GetActiveProfile(), profile);
}

}  // namespace
}  // namespace vellomir
