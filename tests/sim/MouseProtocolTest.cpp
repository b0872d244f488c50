// The simulated mouse on its cable, by bytes: what it answers to the info query, what every setting
// stores and its query gives back, which frames it refuses, the key table, macro downloads and the
// DPI button's report.

#include <gtest/gtest.h>

#include "SimTestFrames.h"
#include "sim/SimulatePresets.h"
#include "sim/SimulatedMouse.h"

namespace vellomir::sim::test {
namespace {

class MouseProtocolTest : public ::testing::Test {
protected:
    void SetUp() override { Plug("arc"); }

    void Plug(const char* preset) {
        const auto spec = FindPreset(preset);
        ASSERT_TRUE(spec);
        if (mouse_) rig_.backend->Unplug(mouse_);
        mouse_ = SimulatedMouse::Create(spec->usb, spec->mouse);
        ASSERT_TRUE(rig_.backend->Plug(mouse_));
        handle_ = rig_.OpenProtocol(mouse_);
        ASSERT_TRUE(handle_);
    }

    Exchange Do(const Bytes& request, std::size_t writeLength = 33) {
        return Send(*handle_, request, writeLength);
    }
    // For frames the mouse refuses: its one error reply comes at once.
    std::uint8_t StatusOf(const Bytes& request) {
        const Exchange ex = Send(*handle_, request, 33, 1);
        return ex.reportsRead == 1 ? ex.reply[1] : 0xFF;
    }

    Rig rig_;
    std::shared_ptr<SimulatedMouse> mouse_;
    std::unique_ptr<HidDevice> handle_;
};

TEST_F(MouseProtocolTest, InfoBlockCarriesIdentityAtTheOffsetsTheHostReads) {
    struct Case {
        const char* preset;
        const char* deviceId;
        std::uint8_t sensor, rate, batteryA;
    } cases[] = {
        {"arc", "ARC1", 0x35, 0x00, 0x00},
        {"drift", "DRF1", 0x11, 0x00, 0x5A},
        {"apex8k", "APX8", 0x95, 0x40, 0x00},
    };
    for (const auto& c : cases) {
        Plug(c.preset);
        const Exchange ex = Do(Query(0x10));
        ASSERT_TRUE(ex.ok) << c.preset;
        ASSERT_EQ(ex.reply.size(), 64u);  // report id removed from the 65-byte report
        EXPECT_EQ(ex.reply[0], 0x10);
        EXPECT_EQ(std::string(ex.reply.begin() + 4, ex.reply.begin() + 8), c.deviceId);
        EXPECT_EQ(ex.reply[10], c.sensor) << c.preset;
        EXPECT_EQ(ex.reply[11], c.rate) << c.preset;
        EXPECT_EQ(ex.reply[12], c.batteryA) << c.preset;
        EXPECT_EQ(ex.reply[13], 0x00);
        EXPECT_EQ(ex.reply[14], 0x01) << "a cabled mouse is always linked";
    }
}

TEST_F(MouseProtocolTest, EverySettingIsAnsweredByItsQuery) {
    struct Case {
        std::uint8_t command, length;
        std::size_t writeLength;
        Bytes data;
    } cases[] = {
        {0x02, 1, 65, {0x40}},
        // Six stages, X and Y code each; the length byte is 0x25 for 25 data bytes.
        {0x03, 0x25, 33, {0x23, 0x02, 0x00, 0x02, 0x00, 0xDC, 0x00, 0xDC, 0x00, 0x37, 0x00, 0x37, 0x00,
                          0x10, 0x01, 0x10, 0x01, 0x20, 0x00, 0x20, 0x00, 0xC8, 0x00, 0xC8, 0x00}},
        // Colours whose sum exceeds 255: only the checksum's low byte is sent.
        {0x04,
         0x12,
         65,
         {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0x80, 0x80, 0x12,
          0x34, 0x56}},
        {0x05, 24, 65, {0x02, 0x42, 0x07, 1,  2,  3,  4,  5,  6,  7,  8,  9,
                        10,   11,   12,   13, 14, 15, 16, 17, 18, 19, 20, 21}},
        {0x05, 5, 65, {0x03, 0x15, 0xAA, 0xBB, 0xCC}},
        {0x05, 2, 65, {0x00, 0x30}},
        {0x06, 5, 65, {0x02, 0x01, 0x00, 0x01, 0x00}},
        {0x07, 4, 65, {0x05, 0x00, 0x01, 0x08}},
    };
    for (const auto& c : cases) {
        const Exchange set = Do(Request(c.command, 0x01, c.length, c.data), c.writeLength);
        ASSERT_TRUE(set.ok) << std::hex << int(c.command);
        const Exchange get = Do(Query(static_cast<std::uint8_t>(c.command + 0x10)));
        ASSERT_TRUE(get.ok);
        EXPECT_EQ(get.reply[0], c.command + 0x10);
        EXPECT_EQ(Bytes(get.reply.begin() + 4, get.reply.begin() + 4 + static_cast<long>(c.data.size())),
                  c.data)
            << "query 0x" << std::hex << int(c.command + 0x10);
    }
    const VirtualMouse state = mouse_->Mouse();
    EXPECT_EQ(state.DpiIndex(), 2);
    EXPECT_EQ(state.DpiCount(), 3);
    EXPECT_EQ(state.DpiCode(0), 2);
    EXPECT_EQ(state.DpiCode(1), 220);
    EXPECT_EQ(state.DpiCode(3), 0x110);
}

TEST_F(MouseProtocolTest, RefusedFramesGetAnErrorStatusAndChangeNothing) {
    Bytes badChecksum = Setting(0x02, 1, {0x08});
    badChecksum[32] ^= 0x01;
    Bytes checksumOverHeader = Setting(0x02, 1, {0x08});
    checksumOverHeader[32] = 0x08 + 0x02 + 0x01 + 0x01;  // bytes 1..4 must not count
    struct Case {
        const char* what;
        Bytes frame;
        std::uint8_t status;
    } cases[] = {
        {"checksum off by one", badChecksum, kStatusBadChecksum},
        {"checksum including the header", checksumOverHeader, kStatusBadChecksum},
        {"setting with packet byte 0", Request(0x02, 0x00, 1, {0x08}), kStatusBadFrame},
        {"DPI with length 25 instead of 0x25", Request(0x03, 0x01, 25, {0x11}), kStatusBadFrame},
        {"light mode 2 with the length of mode 1", Setting(0x05, 3, {0x02, 0x30}), kStatusBadFrame},
        {"query with a length byte", Request(0x12, 0x00, 1), kStatusBadFrame},
        {"query with packet byte 1", Request(0x12, 0x01, 0), kStatusBadFrame},
        {"factory reset without 0xFF", Setting(0x0F, 1, {0x01}), kStatusBadFrame},
        {"unknown command", Setting(0x01, 1, {0x00}), kStatusUnknownCommand},
        {"receiver version on a cable", Query(0x20), kStatusUnknownCommand},
    };
    for (const auto& c : cases) {
        const Exchange ex = Send(*handle_, c.frame, 33, 1);
        EXPECT_FALSE(ex.ok) << c.what;
        ASSERT_EQ(ex.reportsRead, 1) << c.what;
        EXPECT_EQ(ex.reply[1], c.status) << c.what;
    }
    const VirtualMouse state = mouse_->Mouse();
    EXPECT_EQ(state.Setting(0x02)[0], 0x01) << "report rate untouched";
    EXPECT_EQ(state.DpiCount(), 4);
    EXPECT_EQ(state.FactoryResets(), 0);
}

TEST_F(MouseProtocolTest, KeyTableReplacesKeysZeroToEightOnly) {
    const KeyTable defaults = mouse_->Mouse().Keys();
    EXPECT_EQ(Bytes(defaults.begin(), defaults.begin() + 18),
              (Bytes{0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x10, 0x08, 0x00, 0x10, 0x10, 0x00,
                     0x40, 0x01, 0x00}));
    Bytes table;
    for (std::uint8_t i = 0; i < 27; ++i)
        table.push_back(static_cast<std::uint8_t>(0x70 + i));
    ASSERT_TRUE(Do(Request(0x09, 0x01, 0x0F, table)).ok);
    const KeyTable keys = mouse_->Mouse().Keys();
    EXPECT_EQ(Bytes(keys.begin(), keys.begin() + 27), table);
    EXPECT_TRUE(std::all_of(keys.begin() + 27, keys.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(MouseProtocolTest, FactoryResetRestoresSettingsKeysAndMacros) {
    ASSERT_TRUE(Do(Setting(0x02, 1, {0x08})).ok);
    ASSERT_TRUE(Do(Setting(0x09, 0x0F, {0x90, 0x00, 0x00})).ok);
    ASSERT_TRUE(Do(Request(0x08, 0x01, 5, {0x04, 0x30, 0x01, 0x00, 0x04})).ok);
    ASSERT_TRUE(mouse_->Mouse().Macro(4));

    ASSERT_TRUE(Do(Setting(0x0F, 1, {0xFF})).ok);
    const VirtualMouse state = mouse_->Mouse();
    EXPECT_EQ(state.FactoryResets(), 1);
    EXPECT_EQ(state.Keys(), DefaultKeyTable());
    EXPECT_FALSE(state.Macro(4));
    const Exchange rate = Do(Query(0x12));
    ASSERT_TRUE(rate.ok);
    EXPECT_EQ(rate.reply[4], 0x01);
}

TEST_F(MouseProtocolTest, LightResetBringsBackTheFactoryEffect) {
    ASSERT_TRUE(Do(Setting(0x05, 5, {0x03, 0x44, 0x10, 0x20, 0x30}), 65).ok);
    ASSERT_TRUE(Do(Setting(0x0E, 1, {0x01})).ok);
    const Exchange light = Do(Query(0x15));
    ASSERT_TRUE(light.ok);
    EXPECT_EQ(light.reply[4], 0x01) << "factory mode";
    EXPECT_EQ(light.reply[5], 0x32) << "factory brightness 3, speed 2";
    EXPECT_EQ(light.reply[6], 0x00);
    EXPECT_EQ(mouse_->Mouse().LightCommands(), 1);
    EXPECT_TRUE(Do(Query(0x11)).ok);
}

// A macro payload: key value, then `events` events of four bytes.
Bytes MacroPayload(std::uint8_t key, int events) {
    Bytes payload{key};
    for (int i = 0; i < events; ++i) {
        payload.insert(payload.end(),
                       {0x30, static_cast<std::uint8_t>(i), 0x00, static_cast<std::uint8_t>(4 + i)});
    }
    return payload;
}

TEST_F(MouseProtocolTest, MacroDownloadsAreReassembledFromTheirPackets) {
    struct Packet {
        std::uint8_t packetByte, length;
    };
    struct Case {
        int events;
        std::vector<Packet> packets;
    } cases[] = {
        {2, {{0x01, 9}}},
        {6, {{0x01, 25}}},
        {20, {{0x03, 27}, {0x13, 27}, {0x23, 27}}},
        {21, {{0x04, 27}, {0x14, 27}, {0x24, 27}, {0x34, 4}}},
    };
    std::uint8_t key = 5;
    for (const auto& c : cases) {
        const Bytes payload = MacroPayload(key, c.events);
        std::size_t at = 0;
        for (const auto& p : c.packets) {
            const Bytes chunk(payload.begin() + static_cast<long>(at),
                              payload.begin() + static_cast<long>(at + p.length));
            at += p.length;
            ASSERT_TRUE(Do(Request(0x08, p.packetByte, p.length, chunk)).ok) << c.events << " events";
        }
        ASSERT_EQ(at, payload.size());
        const auto stored = mouse_->Mouse().Macro(key);
        ASSERT_TRUE(stored) << c.events << " events";
        EXPECT_EQ(*stored, Bytes(payload.begin() + 1, payload.end()));
        ++key;
    }
}

TEST_F(MouseProtocolTest, MacroPacketsOutOfOrderAreRefusedAndDropTheTransfer) {
    const Bytes payload = MacroPayload(7, 20);
    auto packet = [&](int index, std::uint8_t packetByte) {
        return Request(0x08, packetByte, 27,
                       Bytes(payload.begin() + 27 * index, payload.begin() + 27 * (index + 1)));
    };
    EXPECT_EQ(StatusOf(packet(1, 0x13)), kStatusBadFrame) << "no first packet";
    ASSERT_TRUE(Do(packet(0, 0x03)).ok);
    EXPECT_EQ(StatusOf(packet(2, 0x23)), kStatusBadFrame) << "packet 1 skipped";
    EXPECT_EQ(StatusOf(packet(1, 0x13)), kStatusBadFrame) << "the transfer was dropped";
    EXPECT_FALSE(mouse_->Mouse().Macro(7));
    // Events must be whole and the key value must fit the key table.
    EXPECT_EQ(StatusOf(Request(0x08, 0x01, 3, {0x07, 0x30, 0x01})), kStatusBadFrame);
    EXPECT_EQ(StatusOf(Request(0x08, 0x01, 5, {21, 0x30, 0x01, 0x00, 0x04})), kStatusBadFrame);
    // A fresh transfer after the errors goes through.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Do(packet(i, static_cast<std::uint8_t>((i << 4) | 3))).ok);
    EXPECT_TRUE(mouse_->Mouse().Macro(7));
}

TEST_F(MouseProtocolTest, DpiButtonSendsTheNewStageAndCount) {
    mouse_->PressDpiButton();  // factory: stage 1 of 4
    Bytes report = ReadReport(*handle_, 100);
    ASSERT_GE(report.size(), 2u);
    EXPECT_EQ(report[0], 0xC2);
    EXPECT_EQ(report[1], 0x24);
    mouse_->PressDpiButton();
    mouse_->PressDpiButton();  // wraps to stage 0
    EXPECT_EQ(ReadReport(*handle_, 100)[1], 0x34);
    EXPECT_EQ(ReadReport(*handle_, 100)[1], 0x04);

    ASSERT_TRUE(Do(Request(0x03, 0x01, 0x25, {0x03})).ok);  // three stages, stage 0
    mouse_->SelectDpiStage(2);
    EXPECT_EQ(ReadReport(*handle_, 100)[1], 0x23);
    const Exchange dpi = Do(Query(0x13));
    ASSERT_TRUE(dpi.ok);
    EXPECT_EQ(dpi.reply[4], 0x23) << "the query answers the stage chosen on the mouse";
}

}  // namespace
}  // namespace vellomir::sim::test
