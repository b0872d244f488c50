#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <vector>

#include "../device/SimRig.h"
#include "device/CurrentTransaction.h"
#include "protocol/Frame.h"
#include "protocol/Transaction.h"

namespace vellomir {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kReportRateSet = 0x02;
constexpr std::uint8_t kPowerSet = 0x07;
constexpr std::uint8_t kMacroSet = 0x08;
constexpr std::uint8_t kReportRateQuery = 0x12;
constexpr std::uint8_t kPowerQuery = 0x17;

class TransactionTest : public ::testing::Test {
protected:
    TransactionTest() {
        test::SimRig::AddCatalogue();
        mouse = rig.PlugMouse("ARC1");
        test::SimRig::Rescan();
        test::SimRig::Manager().SetCurrentType(test::kArcType);
        mouse->ClearLog();  // forget the info query of the rescan
    }

    Bytes Writes(std::size_t index) const {
        const auto writes = test::SimRig::ProtocolWrites(*mouse);
        return index < writes.size() ? writes[index] : Bytes{};
    }
    std::size_t WriteCount() const { return test::SimRig::ProtocolWrites(*mouse).size(); }

    test::SimRig rig;
    std::shared_ptr<sim::SimulatedMouse> mouse;
};

Frame Setting(std::uint8_t command, const Bytes& data) {
    Frame frame{};
    BuildFrame(command, 0x01, static_cast<std::uint8_t>(data.size()), data, frame);
    frame[kChecksumOffset] = 0;  // Transact fills it in
    return frame;
}

TEST_F(TransactionTest, SettingAndQueryRoundTrip) {
    // A 65-byte setting whose data bytes sum past 255: only the low byte goes into byte 32.
    Frame power = Setting(kPowerSet, {200, 100, 50, 10});
    ASSERT_TRUE(Transact(power, kLongRequest));
    Bytes sent = Writes(0);
    ASSERT_EQ(sent.size(), kLongRequest);
    EXPECT_EQ(sent[kChecksumOffset], 360 - 256);
    EXPECT_TRUE(std::all_of(sent.begin() + kShortRequest, sent.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(power[kReplyStatusOffset], 0);

    // A 33-byte query returns what the setting stored, at reply offset 4 on; bytes past the written
    // length are neither sent nor touched.
    Frame query = QueryFrame(kPowerQuery);
    query[40] = 0xAA;
    ASSERT_TRUE(Transact(query, kShortRequest));
    sent = Writes(1);
    Bytes expectedQuery(kShortRequest, 0);
    expectedQuery[kCommandOffset] = kPowerQuery;
    EXPECT_EQ(sent, expectedQuery);
    EXPECT_EQ(query[kReplyStatusOffset], 0);
    EXPECT_EQ(Bytes(query.begin() + 4, query.begin() + 8), (Bytes{200, 100, 50, 10}));
    EXPECT_EQ(query[40], 0xAA);
}

TEST_F(TransactionTest, BusyRepliesAndStrayReportsAreSkipped) {
    Frame rate = Setting(kReportRateSet, {0x04});
    ASSERT_TRUE(Transact(rate, kLongRequest));

    mouse->SetBusyReplies(3);
    Bytes link(sim::kReportSize, 0);
    link[0] = sim::kLinkReportCode;
    link[1] = 1;
    mouse->InjectReport(sim::kProtocolInterface, link);
    Frame query = QueryFrame(kReportRateQuery);
    ASSERT_TRUE(Transact(query, kShortRequest));
    EXPECT_EQ(query[0], kReportRateQuery) << "the real reply, not a busy one or the stray report";
    EXPECT_EQ(query[kReplyStatusOffset], 0);
    EXPECT_EQ(ReplyData(query, 0), 0x04);
    EXPECT_EQ(WriteCount(), 2u) << "the request is never sent again";
}

TEST_F(TransactionTest, NoReplyLeavesTheRequestInTheBuffer) {
    mouse->DropFrames(1);
    Frame request = Setting(kPowerSet, {1, 2, 3, 4});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Transact(request, kShortRequest));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(kReplyReads * kReplyReadMs - 100)) << "all reads were made";
    Frame sealed = Setting(kPowerSet, {1, 2, 3, 4});
    SealFrame(sealed);
    EXPECT_EQ(request, sealed);
    EXPECT_EQ(WriteCount(), 1u);
}

TEST_F(TransactionTest, NoReplyAfterAStrayReportLeavesTheStrayReport) {
    mouse->DropFrames(1);
    Bytes stray(sim::kReportSize, 0);
    stray[0] = sim::kDpiReportCode;
    stray[1] = 0x21;
    stray[40] = 0x99;
    mouse->InjectReport(sim::kProtocolInterface, stray);
    Frame request = QueryFrame(kReportRateQuery);
    request[50] = 0x55;
    EXPECT_FALSE(Transact(request, kShortRequest));
    EXPECT_EQ(Bytes(request.begin(), request.begin() + kShortRequest),
              Bytes(stray.begin(), stray.begin() + kShortRequest));
    EXPECT_EQ(request[50], 0x55) << "only the transaction's length is copied back";
}

TEST_F(TransactionTest, FailedWriteEndsAtOnceAndLeavesNothingBehind) {
    mouse->FailWrites(1);
    Frame request = Setting(kReportRateSet, {0x02});
    EXPECT_FALSE(Transact(request, kLongRequest));
    ASSERT_EQ(mouse->Log(sim::kProtocolInterface).size(), 1u);
    EXPECT_TRUE(mouse->Log(sim::kProtocolInterface)[0].writeFailed);

    Frame query = QueryFrame(kReportRateQuery);
    ASSERT_TRUE(Transact(query, kShortRequest));
    EXPECT_NE(ReplyData(query, 0), 0x02) << "the failed setting never reached the mouse";
}

TEST_F(TransactionTest, NothingIsSentWithoutAReadyCurrentDevice) {
    DeviceManager& manager = test::SimRig::Manager();
    Frame frame = QueryFrame(kReportRateQuery);

    EXPECT_FALSE(Transact(frame, 64)) << "neither 33 nor 65 bytes";
    manager.SetCurrentType(test::kDriftType);
    EXPECT_FALSE(Transact(frame, kShortRequest)) << "no device of the current type";
    EXPECT_TRUE(SendChunked(kMacroSet, Bytes(10, 1)).refused);
    manager.SetCurrentType(test::kArcType);
    manager.SetReady(false);
    EXPECT_FALSE(Transact(frame, kShortRequest)) << "manager not ready";
    manager.SetReady(true);
    EXPECT_FALSE(Transact(nullptr, frame, kShortRequest));
    EXPECT_EQ(WriteCount(), 0u);

    InfoBlock info{};
    info.fill(0xEE);
    const InfoBlock before = info;
    mouse->FailWrites(1);
    EXPECT_FALSE(QueryInfo(manager.GetCurrentHandle().get(), info));
    EXPECT_EQ(info, before) << "a failed info query keeps the old block";
}

// key value + `events` four-byte events, as the macro download sends them.
Bytes MacroPayload(int events) {
    Bytes payload(1 + 4 * static_cast<std::size_t>(events));
    payload[0] = 3;
    std::iota(payload.begin() + 1, payload.end(), std::uint8_t{1});
    return payload;
}

TEST_F(TransactionTest, MultiPacketTransfersNumberTheirPackets) {
    struct Case {
        int events;
        std::vector<std::uint8_t> packetBytes;
        std::vector<std::uint8_t> lengths;
    } cases[] = {
        {6, {0x01}, {25}},
        {20, {0x03, 0x13, 0x23}, {27, 27, 27}},
        {21, {0x04, 0x14, 0x24, 0x34}, {27, 27, 27, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events);
        mouse->ClearLog();
        const Bytes payload = MacroPayload(c.events);
        const ChunkedResult result = SendChunked(kMacroSet, payload);
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.packets, static_cast<int>(c.packetBytes.size()));

        const auto writes = test::SimRig::ProtocolWrites(*mouse);
        ASSERT_EQ(writes.size(), c.packetBytes.size());
        Bytes joined;
        for (std::size_t i = 0; i < writes.size(); ++i) {
            ASSERT_EQ(writes[i].size(), kShortRequest);
            EXPECT_EQ(writes[i][kCommandOffset], kMacroSet);
            EXPECT_EQ(writes[i][kPacketOffset], c.packetBytes[i]) << "packet " << i;
            EXPECT_EQ(writes[i][kLengthOffset], c.lengths[i]) << "packet " << i;
            joined.insert(joined.end(), writes[i].begin() + kDataOffset,
                          writes[i].begin() + kDataOffset + c.lengths[i]);
        }
        EXPECT_EQ(joined, payload);
        // The mouse put the packets together again.
        EXPECT_EQ(mouse->Mouse().Macro(3), Bytes(payload.begin() + 1, payload.end()));
    }
}

TEST_F(TransactionTest, OversizedTransferIsRefusedAndFailedPacketsDoNotStopOthers) {
    EXPECT_TRUE(SendChunked(kMacroSet, MacroPayload(102)).refused);  // 409 bytes: 16 packets
    EXPECT_TRUE(SendChunked(kMacroSet, Bytes{}).refused);
    EXPECT_EQ(WriteCount(), 0u);

    const ChunkedResult largest = SendChunked(kMacroSet, MacroPayload(101));  // 405 bytes: 15 packets
    EXPECT_TRUE(largest.ok());
    ASSERT_EQ(WriteCount(), 15u);
    EXPECT_EQ(Writes(14)[kPacketOffset], 0xEF);
    EXPECT_EQ(Writes(14)[kLengthOffset], 27);

    // Every packet is tried even when the ones before it failed.
    mouse->ClearLog();
    mouse->FailWrites(sim::SimulatedDevice::kAlways);
    const ChunkedResult failing = SendChunked(kMacroSet, MacroPayload(20));
    EXPECT_FALSE(failing.ok());
    EXPECT_EQ(failing.packets, 3);
    EXPECT_EQ(failing.failed, 3);
    ASSERT_EQ(WriteCount(), 3u);
    EXPECT_EQ(Writes(2)[kPacketOffset], 0x23);
}

}  // namespace
}  // namespace vellomir
