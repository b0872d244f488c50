#include <algorithm>
#include <vector>

#include "ProtocolRig.h"
#include "protocol/ReadDeviceConfig.h"
#include "protocol/SettingWrites.h"
#include "protocol/SettingsCommands.h"
#include "storage/LightStore.h"

namespace vellomir::test {
namespace {

class ReadDeviceConfigTest : public ProtocolTest {
protected:
    bool Sent(const sim::SimulatedDevice& device, int command) {
        const auto commands = Commands(device);
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }
};

TEST_F(ReadDeviceConfigTest, FillsTheCurrentProfileFromWhatTheMouseHolds) {
    sim::MouseModel model;
    model.sensorCode = 0x25;
    model.rateCapability = 0x40;
    model.batteryA = 80;
    model.batteryB = 2;
    model.reportRate = 0x08;
    model.dpiIndex = 2;
    model.dpiCount = 5;
    model.dpiCodes = {55, 10, 0, 50, 60, 1};
    model.dpiColours = {0xFF0000, 0x010203, 0, 0, 0, 0x00FF00};  // the mouse keeps 0xRRGGBB
    model.lightMode = 2;
    model.lightBrightness = 3;
    model.lightSpeed = 7;
    model.liftoffHeight = 2;
    model.sensorOptions = {1, 0, 1};
    model.power = {30, 1, 0, 12};
    auto mouse = PlugMouse(model);
    Rescan();
    LightSetting light;
    light.profile = profile_;
    light.mode = 2;
    ASSERT_GT(InsertLight(light), 0);

    ASSERT_TRUE(ReadDeviceConfig(context_));

    EXPECT_EQ(Config("report_rate"), 8);
    EXPECT_EQ(Config("report_rate_wireless"), 8);
    EXPECT_EQ(Config("dpi_count"), 5);
    EXPECT_EQ(Config("dpi_flag"), 5);
    EXPECT_EQ(Config("dpi_index"), 2);
    // Code 0 reads back below 50 DPI and leaves the stored stage alone.
    const int stages[] = {7500, 1000, 2400, 5000, 10000, 100};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Config(config_key::DpiValue(i)), stages[i]) << "stage " << i;
    EXPECT_EQ(Config(config_key::DpiColor(0)), 0x0000FF);
    EXPECT_EQ(Config(config_key::DpiColor(1)), 0x030201);
    EXPECT_EQ(Config(config_key::DpiColor(5)), 0x00FF00);
    EXPECT_EQ(Config("liftoff_height"), 2);
    EXPECT_EQ(Config("sensor_flag"), 24);
    EXPECT_EQ(Config("sleep_light"), 30);
    EXPECT_EQ(Config("move_wakeup"), 1);
    EXPECT_EQ(Config("move_closelight"), 0);
    EXPECT_EQ(Config("button_respondtime"), 12);
    EXPECT_EQ(state_.CurrentLightMode(), 2);
    EXPECT_EQ(GetActiveLightMode(profile_), 2);
    ASSERT_TRUE(GetLight(profile_, 2, light));
    EXPECT_EQ(light.brightness, 3);
    EXPECT_EQ(light.speed, 7);

    EXPECT_EQ(state_.SensorCode(), 0x25);
    EXPECT_EQ(state_.DpiRange(), (SensorDpiRange{100, 10000, 60, 0}));
    EXPECT_EQ(state_.ReportRateCapability(), 7);
    EXPECT_EQ(state_.MouseLinked(), 1);
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"SetBatteryInfo 0 100", "SetDeviceBattery 7 0 100",
                                                     "ShowDpiRange 100 10000 60 0", "SetBatteryInfo 2 80",
                                                     "SetDeviceBattery 7 80 2"}));
    EXPECT_FALSE(Sent(*mouse, 0x20));  // a cabled mouse has no receiver version
    EXPECT_EQ(failures_, 0);

    // The type was read in this run: the next read does not ask the mouse again...
    mouse->ClearLog();
    SetConfig("report_rate", 1);
    EXPECT_TRUE(ReadDeviceConfig(context_));
    EXPECT_TRUE(Writes(*mouse).empty());
    EXPECT_EQ(Config("report_rate"), 1);
    // ...until a factory reset.
    SendFactoryReset(context_);
    EXPECT_EQ(mouse->Mouse().FactoryResets(), 1);
    mouse->ClearLog();
    EXPECT_TRUE(ReadDeviceConfig(context_));
    EXPECT_EQ(Commands(*mouse), (std::vector<int>{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17}));
    EXPECT_EQ(Config("report_rate"), 8);
}

// Waits for two transaction time-outs (about 3 s).
TEST_F(ReadDeviceConfigTest, AFailedQuerySkipsOnlyItsOwnStep) {
    sim::MouseModel model;
    model.reportRate = 0x08;
    model.liftoffHeight = 2;
    auto mouse = PlugMouse(model);
    Rescan();
    SetConfig("report_rate", 4);
    SetConfig("liftoff_height", 1);
    // The mouse loses the preparing query 0x11 (whose answer is not needed) and the report-rate query.
    mouse->DropFrames(2);
    EXPECT_TRUE(ReadDeviceConfig(context_));
    EXPECT_EQ(Config("report_rate"), 4);
    EXPECT_EQ(Config("liftoff_height"), 2);
    EXPECT_EQ(failures_, 0);
}

TEST_F(ReadDeviceConfigTest, ReceiverWithoutItsMouseRunsTheFailureHandling) {
    sim::MouseModel model;
    model.batteryA = 70;
    auto receiver = PlugReceiver(model, false);
    Rescan();
    receiver->ClearLog();
    EXPECT_FALSE(ReadDeviceConfig(context_));
    EXPECT_EQ(failures_, 1);
    EXPECT_EQ(state_.MouseLinked(), 0);
    EXPECT_TRUE(Writes(*receiver).empty());
    EXPECT_FALSE(state_.WasTypeRead(kDeviceType));
    EXPECT_TRUE(view_.Has("SetBatteryInfo 0 100"));
}

TEST_F(ReadDeviceConfigTest, ReceiverVersionIsReadAndShown) {
    auto receiver = PlugReceiver({}, true);
    Rescan();
    receiver->ClearLog();
    ASSERT_TRUE(ReadDeviceConfig(context_));
    EXPECT_EQ(Commands(*receiver).back(), 0x20);
    EXPECT_EQ(state_.ReceiverVersion(), "105");
    EXPECT_TRUE(view_.Has("ShowReceiverVersion 105"));
    EXPECT_EQ(FormatVersionLine("Mouse", state_.ReceiverVersion()), "Mouse: 1.05");
}

}  // namespace
}  // namespace vellomir::test
