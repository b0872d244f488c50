#include <functional>
#include <vector>

#include "ProtocolRig.h"
#include "protocol/ReadDeviceConfig.h"
#include "protocol/SettingWrites.h"
#include "storage/LightStore.h"

namespace vellomir::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Stored(const sim::SimulatedMouse& mouse, std::uint8_t command, std::size_t count) {
    const sim::VirtualMouse held = mouse.Mouse();  // a copy: keep it while reading from it
    const auto& data = held.Setting(command);
    return Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count));
}

class SettingWritesTest : public ProtocolTest {};

TEST_F(SettingWritesTest, EverySettingWriteLandsInTheMouse) {
    sim::MouseModel model;
    model.sensorCode = 0x11;
    auto mouse = PlugMouse(model);
    Rescan();
    ASSERT_TRUE(ReadDeviceConfig(context_));

    SetConfig("report_rate", 0x40);
    SetConfig("dpi_count", 5);
    SetConfig("dpi_index", 3);
    const int stages[] = {40, 15000, 800, 10000, 10100, 12000};
    for (int i = 0; i < 6; ++i)
        SetConfig(config_key::DpiValue(i), stages[i]);
    SetConfig(config_key::DpiColor(0), 0x123456);
    SetConfig(config_key::DpiColor(1), 0xFF0000);
    SetConfig("liftoff_height", 2);
    SetConfig("sensor_flag", 8 | 16);
    SetConfig("sleep_light", 30);
    SetConfig("move_wakeup", 1);
    SetConfig("move_closelight", 0);
    SetConfig("button_respondtime", 12);
    LightSetting light;
    light.profile = profile_;
    light.mode = 3;
    light.brightness = 4;
    light.speed = 2;
    light.color_value = {0x0000FF, 0, 0, 0, 0, 0, 0};
    ASSERT_GT(InsertLight(light), 0);
    state_.SetCurrentLightMode(3);

    struct Case {
        const char* name;
        std::function<WriteResult(const ProtocolContext&)> write;
        std::uint8_t command;
        std::size_t frameSize;
        Bytes stored;
    };
    const Case cases[] = {
        {"report rate", WriteReportRate, 0x02, 65, {0x40}},
        {"dpi colours", WriteDpiColours, 0x04, 65, {0x56, 0x34, 0x12, 0, 0, 0xFF}},
        {"light", WriteLight, 0x05, 65, {3, 0x42, 0xFF, 0, 0}},
        {"sensor", WriteSensor, 0x06, 65, {2, 1, 0, 1, 0}},
        {"power", WritePower, 0x07, 65, {30, 1, 0, 12}},
        // 40 is raised to the sensor's lowest DPI (code 2), 15000 lowered to its highest (code 220).
        {"dpi stages", WriteDpiStages, 0x03, 33, {0x35, 2, 0, 2, 0, 220, 0, 220, 0, 16, 0, 16, 0}},
    };
    for (const auto& c : cases) {
        mouse->ClearLog();
        EXPECT_EQ(c.write(context_), WriteResult::kSent) << c.name;
        const auto writes = Writes(*mouse);
        ASSERT_EQ(writes.size(), 1u) << c.name;
        EXPECT_EQ(writes[0][1], c.command) << c.name;
        EXPECT_EQ(writes[0].size(), c.frameSize) << c.name;
        EXPECT_EQ(Stored(*mouse, c.command, c.stored.size()), c.stored) << c.name;
    }
    const sim::VirtualMouse held = mouse->Mouse();
    EXPECT_EQ(held.DpiCount(), 5);
    EXPECT_EQ(held.DpiIndex(), 3);
    const int codes[] = {2, 220, 16, 200, 201, 220};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(held.DpiCode(i), codes[i]) << "stage " << i;
    EXPECT_EQ(failures_, 0);
}

TEST_F(SettingWritesTest, FailedWriteRunsFailureHandlingAndKeepsTheStoredValue) {
    auto mouse = PlugMouse({});
    Rescan();
    const std::uint8_t before = Stored(*mouse, 0x02, 1)[0];
    SetConfig("report_rate", 0x40);
    mouse->FailWrites(1);
    EXPECT_EQ(WriteReportRate(context_), WriteResult::kFailed);
    EXPECT_EQ(failures_, 1);
    EXPECT_EQ(Config("report_rate"), 0x40);
    EXPECT_EQ(Stored(*mouse, 0x02, 1)[0], before);

    // Without a stored light row for the mode there is nothing to send, and nothing failed.
    mouse->ClearLog();
    state_.SetCurrentLightMode(5);
    EXPECT_EQ(WriteLight(context_), WriteResult::kNotSent);
    EXPECT_TRUE(Writes(*mouse).empty());
    EXPECT_EQ(failures_, 1);
}

TEST_F(SettingWritesTest, ResetLightReadsTheRestoredEffectBack) {
    sim::MouseModel model;
    model.lightMode = 2;
    model.lightBrightness = 5;
    model.lightSpeed = 1;
    auto mouse = PlugMouse(model);
    Rescan();
    for (int mode : {1, 2}) {
        LightSetting light;
        light.profile = profile_;
        light.mode = mode;
        ASSERT_GT(InsertLight(light), 0);
    }
    ASSERT_TRUE(SetActiveLightMode(profile_, 1));
    EXPECT_TRUE(ResetLight(context_));
    EXPECT_EQ(mouse->Mouse().LightCommands(), 1);
    EXPECT_EQ(state_.CurrentLightMode(), 2);
    EXPECT_EQ(GetActiveLightMode(profile_), 2);
    LightSetting stored;
    ASSERT_TRUE(GetLight(profile_, 2, stored));
    EXPECT_EQ(stored.brightness, 5);
    EXPECT_EQ(stored.speed, 1);
    EXPECT_TRUE(view_.Has("RefreshLightPage"));
}

TEST_F(SettingWritesTest, WholeProfileGoesOutInJobOrder) {
    auto mouse = PlugMouse({});
    Rescan();
    LightSetting light;
    light.profile = profile_;
    light.mode = 1;
    ASSERT_GT(InsertLight(light), 0);
    state_.SetCurrentLightMode(1);
    mouse->ClearLog();
    EXPECT_EQ(WriteAll(context_, true), 0);
    EXPECT_EQ(Commands(*mouse), (std::vector<int>{0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07}));
    // A model without lights skips the light effect.
    mouse->ClearLog();
    EXPECT_EQ(WriteAll(context_, false), 0);
    EXPECT_EQ(Commands(*mouse), (std::vector<int>{0x09, 0x03, 0x04, 0x02, 0x06, 0x07}));
    // Every failed write is counted and handled.
    mouse->FailWrites(sim::SimulatedDevice::kAlways);
    EXPECT_EQ(WriteAll(context_, true), 7);
    EXPECT_EQ(failures_, 7);
}

}  // namespace
}  // namespace vellomir::test
