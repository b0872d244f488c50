// Fault injection and the read/write semantics of the simulated handles: lost frames, failed writes,
// busy replies, late replies kept for the next read, stray reports, the frame log, unplugging under a
// waiting reader, and link timing.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "SimTestFrames.h"
#include "sim/SimulatePresets.h"
#include "sim/SimulatedMouse.h"

namespace vellomir::sim::test {
namespace {

using std::chrono::milliseconds;

class FaultInjectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto spec = FindPreset("arc");
        mouse_ = SimulatedMouse::Create(spec->usb, spec->mouse);
        ASSERT_TRUE(rig_.backend->Plug(mouse_));
        handle_ = rig_.OpenProtocol(mouse_);
        ASSERT_TRUE(handle_);
    }

    Rig rig_;
    std::shared_ptr<SimulatedMouse> mouse_;
    std::unique_ptr<HidDevice> handle_;
};

TEST_F(FaultInjectionTest, DroppedFramesAreLoggedButNeitherActedOnNorAnswered) {
    mouse_->DropFrames(2);
    EXPECT_FALSE(Send(*handle_, Setting(0x02, 1, {0x08}), 65, 2).ok);
    const Exchange second = Send(*handle_, Query(0x10), 33, 2);
    EXPECT_FALSE(second.ok);
    EXPECT_EQ(second.reportsRead, 0);
    EXPECT_TRUE(Send(*handle_, Query(0x10)).ok) << "the third frame is answered";
    EXPECT_EQ(mouse_->Mouse().Setting(0x02)[0], 0x01) << "the lost setting never took effect";
    EXPECT_EQ(mouse_->Log(kProtocolInterface).size(), 3u);

    mouse_->DropFrames(SimulatedDevice::kAlways);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Send(*handle_, Query(0x10), 33, 1).ok);
    mouse_->ClearFaults();
    EXPECT_TRUE(Send(*handle_, Query(0x10)).ok);
}

TEST_F(FaultInjectionTest, FailedWritesReturnMinusOneAndReachNothing) {
    mouse_->FailWrites(1);
    const Bytes request = Setting(0x02, 1, {0x08});
    EXPECT_EQ(handle_->Write(request.data(), 65), -1);
    EXPECT_EQ(ReadReport(*handle_, 0), Bytes()) << "no reply to a frame that never left";
    EXPECT_EQ(handle_->Write(request.data(), 65), 65);
    const auto log = mouse_->Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].writeFailed);
    EXPECT_FALSE(log[1].writeFailed);
    EXPECT_EQ(log[1].bytes, request);
}

TEST_F(FaultInjectionTest, BusyRepliesComeBeforeTheRealOne) {
    mouse_->SetBusyReplies(3);
    const Exchange ex = Send(*handle_, Query(0x10), 33, 10);
    ASSERT_TRUE(ex.ok);
    EXPECT_EQ(ex.reportsRead, 4);
    EXPECT_EQ(ex.reply[4], 'A');

    // A host that gives up after fewer reads than busy replies is left with a busy report.
    mouse_->SetBusyReplies(5);
    const Exchange early = Send(*handle_, Query(0x10), 33, 2);
    EXPECT_FALSE(early.ok);
    EXPECT_EQ(early.reply[0], 0x10);
    EXPECT_EQ(early.reply[1], kStatusBusy);
}

TEST_F(FaultInjectionTest, LateReplyIsKeptForTheNextRead) {
    mouse_->SetReplyDelay(milliseconds(120));
    const Exchange gaveUp = Send(*handle_, Query(0x10), 33, 2);  // 60 ms of reads
    EXPECT_FALSE(gaveUp.ok);
    EXPECT_EQ(gaveUp.reportsRead, 0);
    const Bytes late = ReadReport(*handle_, 1000);
    ASSERT_FALSE(late.empty());
    EXPECT_EQ(late[0], 0x10);
    EXPECT_EQ(late[1], 0x00);
}

TEST_F(FaultInjectionTest, StrayReportsArriveInTimeOrderOnTheirInterface) {
    auto loader = rig_.backend->OpenPath(rig_.backend->PathOf(*mouse_, kLoaderInterface));
    ASSERT_TRUE(loader);
    mouse_->InjectReport(kProtocolInterface, {0xAB, 0x02}, milliseconds(40));
    mouse_->InjectReport(kProtocolInterface, {0xCD, 0x03});
    mouse_->InjectReport(kLoaderInterface, {0x05, 0x01});
    EXPECT_EQ(ReadReport(*handle_, 100), (Bytes{0xCD, 0x03}));
    EXPECT_EQ(ReadReport(*handle_, 100), (Bytes{0xAB, 0x02}));
    EXPECT_EQ(ReadReport(*handle_, 0), Bytes());
    EXPECT_EQ(ReadReport(*loader, 0), (Bytes{0x05, 0x01})) << "a non-zero report id stays in the buffer";

    // A stray report whose second byte is 0 looks like a reply to whoever reads it.
    mouse_->InjectReport(kProtocolInterface, {0xC2, 0x00});
    const Exchange ex = Send(*handle_, Query(0x12));
    EXPECT_TRUE(ex.ok);
    EXPECT_EQ(ex.reply, (Bytes{0xC2, 0x00}));
    EXPECT_EQ(ReadReport(*handle_, 100)[0], 0x12) << "the real reply is still queued";
}

TEST_F(FaultInjectionTest, ReadsCopyAtMostTheBufferAndHonourTheTimeout) {
    mouse_->InjectReport(kProtocolInterface, Bytes(64, 0x11));
    std::uint8_t small[10] = {};
    EXPECT_EQ(handle_->ReadTimeout(small, sizeof small, 0), 10);
    EXPECT_EQ(small[9], 0x11);
    EXPECT_EQ(handle_->ReadTimeout(small, sizeof small, 0), 0);

    // Writes: longer than report id + 64 bytes, or with another report id, are refused.
    Bytes tooLong(66, 0);
    EXPECT_EQ(handle_->Write(tooLong.data(), tooLong.size()), -1);
    Bytes wrongId = Query(0x10);
    wrongId[0] = 0x05;
    EXPECT_EQ(handle_->Write(wrongId.data(), 33), -1);
    EXPECT_TRUE(mouse_->Log().empty()) << "refused writes never reach the device";
}

TEST_F(FaultInjectionTest, LogRecordsEveryFrameWithInterfaceLengthAndTime) {
    const auto before = SimulatedDevice::Clock::now();
    ASSERT_TRUE(Send(*handle_, Query(0x10), 33).ok);
    ASSERT_TRUE(Send(*handle_, Setting(0x02, 1, {0x02}), 65).ok);
    auto keyboard = rig_.backend->OpenPath(rig_.backend->PathOf(*mouse_, kKeyboardInterface));
    const std::uint8_t leds[2] = {0x00, 0x02};
    EXPECT_EQ(keyboard->Write(leds, 2), 2);

    const auto log = mouse_->Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].interfaceNumber, kProtocolInterface);
    EXPECT_EQ(log[0].bytes.size(), 33u);
    EXPECT_EQ(log[0].bytes[1], 0x10);
    EXPECT_EQ(log[1].bytes.size(), 65u);
    EXPECT_EQ(log[1].bytes[5], 0x02);
    EXPECT_EQ(log[2].interfaceNumber, kKeyboardInterface);
    EXPECT_GE(log[0].time, before);
    EXPECT_LE(log[0].time, log[1].time);
    EXPECT_EQ(mouse_->Log(kProtocolInterface).size(), 2u);
    mouse_->ClearLog();
    EXPECT_TRUE(mouse_->Log().empty());
}

TEST_F(FaultInjectionTest, UnplugWakesAWaitingReaderAndKillsOldHandles) {
    std::atomic<int> result{1};
    std::thread reader([&] {
        std::uint8_t buffer[65];
        result = handle_->ReadTimeout(buffer, sizeof buffer, -1);
    });
    // The reader waits for ever until the unplug ends it.
    std::this_thread::sleep_for(milliseconds(20));
    ASSERT_TRUE(rig_.backend->Unplug(mouse_));
    reader.join();
    EXPECT_EQ(result.load(), -1);
    const Bytes query = Query(0x10);
    EXPECT_EQ(handle_->Write(query.data(), 33), -1);
    EXPECT_FALSE(rig_.backend->Unplug(mouse_));

    // Plugged in again, the mouse keeps its settings; the old handle stays dead.
    ASSERT_TRUE(rig_.backend->Plug(mouse_));
    EXPECT_EQ(handle_->Write(query.data(), 33), -1);
    auto fresh = rig_.OpenProtocol(mouse_);
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(Send(*fresh, query).ok);
}

TEST_F(FaultInjectionTest, LinkTimingSpendsAMillisecondPerReportEachWay) {
    mouse_->SetLinkTiming(true);
    const auto start = SimulatedDevice::Clock::now();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(Send(*handle_, Query(0x10)).ok);
    // Five requests and five replies, one at a time: at least 10 ms of wire time.
    EXPECT_GE(SimulatedDevice::Clock::now() - start, milliseconds(10));
}

// The worker writes and reads while other threads plug, unplug, inject and press the DPI button.
TEST_F(FaultInjectionTest, ConcurrentUseFromSeveralThreadsIsSafe) {
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0};
    std::thread worker([&] {
        while (!stop) {
            auto handle = rig_.OpenProtocol(mouse_);
            if (!handle) continue;
            for (int i = 0; i < 20 && !stop; ++i) {
                const Exchange ex = Send(*handle, Query(0x10), 33, 2);
                if (!ex.ok || ex.reply[0] != 0x10) continue;
                EXPECT_EQ(std::string(ex.reply.begin() + 4, ex.reply.begin() + 8), "ARC1");
                ++answered;
            }
        }
    });
    std::thread buttons([&] {
        while (!stop) {
            mouse_->PressDpiButton();
            mouse_->InjectReport(kProtocolInterface, {0xEE, 0x01});
            std::this_thread::sleep_for(milliseconds(1));
        }
    });
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(milliseconds(5));
        rig_.backend->Unplug(mouse_);
        mouse_->SetBusyReplies(i % 3);
        rig_.backend->Plug(mouse_);
    }
    const auto giveUp = SimulatedDevice::Clock::now() + std::chrono::seconds(20);
    while (answered < 5 && SimulatedDevice::Clock::now() < giveUp)
        std::this_thread::sleep_for(milliseconds(5));
    stop = true;
    worker.join();
    buttons.join();
    EXPECT_GE(answered.load(), 5);
}

}  // namespace
}  // namespace vellomir::sim::test
