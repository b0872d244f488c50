#include <algorithm>
#include <vector>

#include "ProtocolRig.h"
#include "protocol/Notifications.h"
#include "protocol/ReadDeviceConfig.h"

namespace vellomir::test {
namespace {

class NotificationsTest : public ProtocolTest {
protected:
    // The page shows three stages with stage 2 active, as the store says.
    void ShowThreeStagesWithStageTwoActive() {
        state_.SetShownStageCount(3);
        state_.SetShownStageIndex(2);
        SetConfig("dpi_count", 3);
        SetConfig("dpi_index", 2);
    }

    static int LinkState() {
        std::vector<DeviceRecord> records;
        DeviceManager::Instance().CollectRecords(false, records);
        return records.empty() ? -1 : records.front().link_state;
    }
    static bool Contains(const std::vector<int>& commands, int command) {
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }
};

TEST_F(NotificationsTest, DpiReportsFollowTheMousesButtons) {
    sim::MouseModel model;
    model.sensorCode = 0x11;
    model.dpiCount = 3;
    model.dpiIndex = 2;
    auto mouse = PlugMouse(model);
    Rescan();
    ASSERT_TRUE(ReadDeviceConfig(context_));
    state_.SetShowDpiTips(true);
    ShowThreeStagesWithStageTwoActive();
    SetConfig(config_key::DpiValue(1), 1600);
    view_.Clear();

    // C2 23: what the page shows already.
    mouse->SelectDpiStage(2);
    PollNotification(context_);
    EXPECT_TRUE(view_.calls.empty());
    EXPECT_EQ(Config("dpi_index"), 2);

    // C2 13: stage 1 is selected, stored and shown with its slider position and tip.
    mouse->SelectDpiStage(1);
    PollNotification(context_);
    EXPECT_EQ(Config("dpi_index"), 1);
    EXPECT_EQ(Config("dpi_count"), 3);
    EXPECT_EQ(state_.ShownStageIndex(), 1);
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"ShowSelectedStage 1 32", "ShowDpiTip 1600"}));

    // C2 14 from three stages with stage 2 active: four stages now, stage 1 active.
    ShowThreeStagesWithStageTwoActive();
    state_.SetShowDpiTips(false);
    view_.Clear();
    sim::Report report(64, 0);
    report[0] = 0xC2;
    report[1] = 0x14;
    mouse->InjectReport(sim::kProtocolInterface, report);
    PollNotification(context_);
    EXPECT_EQ(Config("dpi_count"), 4);
    EXPECT_EQ(Config("dpi_flag"), 4);
    EXPECT_EQ(Config("dpi_index"), 1);
    EXPECT_EQ(state_.ShownStageCount(), 4);
    EXPECT_EQ(state_.ShownStageIndex(), 1);
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"ShowStageCount 4", "ShowSelectedStage 1 32"}));
}

TEST_F(NotificationsTest, LinkReportsOfTheReceiver) {
    sim::MouseModel model;
    model.sensorCode = 0x11;
    model.batteryA = 0x5A;
    model.batteryB = 0;
    auto receiver = PlugReceiver(model, false);
    Rescan();
    EXPECT_FALSE(ReadDeviceConfig(context_));  // the mouse is switched off
    receiver->ClearLog();
    view_.Clear();

    // C0 01 5A 00: the mouse is back.
    receiver->SetMouseOnline(true);
    PollNotification(context_);
    EXPECT_TRUE(state_.MouseOnline());
    EXPECT_EQ(LinkState(), kLinkOnline);
    EXPECT_EQ(state_.MouseLinked(), 1);
    const std::vector<int> commands = Commands(*receiver);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), 0x10);      // fresh info block first
    EXPECT_TRUE(Contains(commands, 0x13));  // then the configuration is read
    EXPECT_FALSE(Contains(commands, 0x20));
    EXPECT_EQ(state_.DpiRange(), (SensorDpiRange{50, 24000, 232, 0}));  // link-up table
    EXPECT_EQ(view_.calls.front(), "ClosePopups");
    EXPECT_TRUE(view_.Has("ShowDeviceView"));
    EXPECT_TRUE(view_.Has("SetTitle 52"));
    EXPECT_TRUE(view_.Has("SetDeviceState 7 1 1"));
    EXPECT_TRUE(view_.Has("ShowVersions"));
    EXPECT_EQ(view_.Starting("SetBatteryInfo").back(), "SetBatteryInfo 90 0");
    EXPECT_EQ(view_.calls.back(), "SetBatteryInfo 90 0");

    // C0 00 00 00: gone again.
    view_.Clear();
    receiver->SetMouseOnline(false);
    PollNotification(context_);
    EXPECT_FALSE(state_.MouseOnline());
    EXPECT_EQ(LinkState(), kLinkOffline);
    EXPECT_TRUE(view_.Has("SetTitle 50"));
    EXPECT_TRUE(view_.Has("ShowNoDeviceView"));
    EXPECT_TRUE(view_.Has("SetDeviceState 7 1 0"));
    EXPECT_TRUE(view_.Has("ShowNoDeviceControls"));
    EXPECT_TRUE(view_.Starting("SetBatteryInfo").empty());

    // While it is away the poll listens on the receivers; its return is taken from there.
    receiver->ClearLog();
    view_.Clear();
    receiver->SetMouseOnline(true);
    PollNotification(context_);
    EXPECT_EQ(LinkState(), kLinkOnline);
    EXPECT_TRUE(view_.Has("SetTitle 52"));
    // Info query again, but this type was read in this run already.
    EXPECT_EQ(Commands(*receiver), (std::vector<int>{0x10}));
}

TEST_F(NotificationsTest, LinkPollFindsAnOfflineMouse) {
    auto receiver = PlugReceiver({}, true);
    Rescan();
    receiver->SetMouseOnline(false);  // queues C0 00 for the receiver
    PollLinks(context_);
    EXPECT_EQ(LinkState(), kLinkPollOffline);
}

TEST_F(NotificationsTest, OtherReportsAreIgnored) {
    auto mouse = PlugMouse({});
    Rescan();
    const int before = Config("dpi_index");
    sim::Report late(64, 0);
    late[0] = 0x13;  // a late reply of a transaction
    late[1] = 0x21;
    mouse->InjectReport(sim::kProtocolInterface, late);
    PollNotification(context_);
    EXPECT_TRUE(view_.calls.empty());
    EXPECT_EQ(Config("dpi_index"), before);
    // Nothing arrived at all: the poll step just ends.
    PollNotification(context_);
    EXPECT_TRUE(view_.calls.empty());
}

}  // namespace
}  // namespace vellomir::test
