// The simulated receiver: its own version query, requests passed to its mouse while on line, what it
// answers for an absent mouse, and the 0xC0 link reports.

#include <gtest/gtest.h>

#include "SimTestFrames.h"
#include "sim/SimulatePresets.h"
#include "sim/SimulatedReceiver.h"

namespace vellomir::sim::test {
namespace {

class ReceiverTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto spec = FindPreset("drift-receiver");
        ASSERT_TRUE(spec && spec->receiver);
        receiver_ = SimulatedReceiver::Create(spec->usb, spec->receiverModel, spec->mouse, true);
        ASSERT_TRUE(rig_.backend->Plug(receiver_));
        handle_ = rig_.OpenProtocol(receiver_);
        ASSERT_TRUE(handle_);
    }

    std::uint8_t StatusOf(const Bytes& request) {
        const Exchange ex = Send(*handle_, request, 33, 1);
        return ex.reportsRead == 1 ? ex.reply[1] : 0xFF;
    }

    Rig rig_;
    std::shared_ptr<SimulatedReceiver> receiver_;
    std::unique_ptr<HidDevice> handle_;
};

TEST_F(ReceiverTest, AnswersItsVersionWhetherTheMouseIsThereOrNot) {
    for (bool online : {true, false}) {
        receiver_->SetMouseOnline(online);
        while (!ReadReport(*handle_, 0).empty()) {
        }
        const Exchange ex = Send(*handle_, Query(0x20));
        ASSERT_TRUE(ex.ok) << online;
        EXPECT_EQ(ex.reply[0], 0x20);
        EXPECT_EQ(ex.reply[4], 0x01);
        EXPECT_EQ(ex.reply[5], 0x05);
    }
}

TEST_F(ReceiverTest, OnLineMouseAnswersThroughTheReceiver) {
    const Exchange info = Send(*handle_, Query(0x10));
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(std::string(info.reply.begin() + 4, info.reply.begin() + 8), "DRF1");
    EXPECT_EQ(info.reply[12], 0x5A);
    EXPECT_EQ(info.reply[14], 0x01);

    ASSERT_TRUE(Send(*handle_, Setting(0x02, 1, {0x02}), 65).ok);
    EXPECT_EQ(receiver_->State().Mouse().Setting(0x02)[0], 0x02);
    const Exchange rate = Send(*handle_, Query(0x12));
    ASSERT_TRUE(rate.ok);
    EXPECT_EQ(rate.reply[4], 0x02);
    EXPECT_EQ(StatusOf(Setting(0x02, 0x02, {0x02})), kStatusBadFrame) << "the mouse still checks frames";
}

TEST_F(ReceiverTest, OffLineTheReceiverNamesItsMouseButReachesNothing) {
    receiver_->SetMouseOnline(false);
    Bytes report = ReadReport(*handle_, 100);
    ASSERT_GE(report.size(), 4u);
    EXPECT_EQ(Bytes(report.begin(), report.begin() + 4), (Bytes{0xC0, 0x00, 0x00, 0x00}));

    const Exchange info = Send(*handle_, Query(0x10));
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(std::string(info.reply.begin() + 4, info.reply.begin() + 8), "DRF1");
    EXPECT_EQ(info.reply[10], 0x11) << "sensor of the paired mouse";
    EXPECT_EQ(info.reply[12], 0x00) << "no battery reading without the mouse";
    EXPECT_EQ(info.reply[14], 0x00) << "mouse not linked";

    EXPECT_EQ(StatusOf(Setting(0x02, 1, {0x08})), kStatusNotLinked);
    EXPECT_EQ(StatusOf(Query(0x12)), kStatusNotLinked);
    EXPECT_EQ(receiver_->State().Mouse().Setting(0x02)[0], 0x01);

    receiver_->PressDpiButton();
    receiver_->SetMouseOnline(false);
    EXPECT_TRUE(ReadReport(*handle_, 30).empty()) << "no DPI report from an absent mouse, no repeated C0";
}

TEST_F(ReceiverTest, LinkReportsCarryTheBatteryWhenTheMouseComesBack) {
    receiver_->SetMouseOnline(false);
    receiver_->SetBattery(0x40, 0x01);
    receiver_->SetMouseOnline(true);
    EXPECT_EQ(ReadReport(*handle_, 100)[0], 0xC0);
    Bytes up = ReadReport(*handle_, 100);
    ASSERT_GE(up.size(), 4u);
    EXPECT_EQ(Bytes(up.begin(), up.begin() + 4), (Bytes{0xC0, 0x01, 0x40, 0x01}));

    receiver_->SetBattery(0x20, 0x00, true);
    EXPECT_EQ(Bytes(ReadReport(*handle_, 100)).at(2), 0x20);
    receiver_->PressDpiButton();
    EXPECT_EQ(ReadReport(*handle_, 100).at(0), 0xC2);
}

TEST_F(ReceiverTest, AnotherPairedModelIsWhatTheInfoQueryFindsNext) {
    receiver_->SetMouseOnline(false);
    MouseModel other;
    other.deviceId = "DRF2";
    other.sensorCode = 0x25;
    receiver_->PairMouse(other);
    receiver_->SetMouseOnline(true);
    // C0 00 00 00 has status byte 0: a waiting host would take it for a reply, so read it first.
    EXPECT_EQ(ReadReport(*handle_, 100).at(1), 0x00);
    EXPECT_EQ(ReadReport(*handle_, 100).at(1), 0x01);
    const Exchange info = Send(*handle_, Query(0x10));
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(std::string(info.reply.begin() + 4, info.reply.begin() + 8), "DRF2");
    EXPECT_EQ(info.reply[10], 0x25);
}

}  // namespace
}  // namespace vellomir::sim::test
