#include <gtest/gtest.h>

#include <vector>

#include "protocol/ReportRates.h"
#include "protocol/SettingsCommands.h"

namespace vellomir {
namespace {

// Bytes 1 to 4 and the defined data bytes of a request; everything after them must be zero.
struct Expected {
    std::uint8_t command, packet, length;
    std::size_t frameSize;
    std::vector<std::uint8_t> data;
};

void ExpectFrame(const Request& request, const Expected& expected) {
    EXPECT_EQ(request.frame[0], 0);
    EXPECT_EQ(request.frame[1], expected.command);
    EXPECT_EQ(request.frame[2], 0);
    EXPECT_EQ(request.frame[3], expected.packet);
    EXPECT_EQ(request.frame[4], expected.length);
    EXPECT_EQ(request.length, expected.frameSize);
    for (std::size_t i = 5; i < request.frame.size(); ++i) {
        const std::size_t n = i - 5;
        const std::uint8_t want = n < expected.data.size() ? expected.data[n] : 0;
        EXPECT_EQ(request.frame[i], want) << "command " << int(expected.command) << " frame byte " << i;
    }
}

TEST(SettingsCommandsTest, WriteFramesCarryTheStoredValues) {
    ExpectFrame(EncodeReportRate(0x40), {0x02, 0x01, 1, 65, {0x40}});
    ExpectFrame(EncodeDpiColours({0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0x123456, 0xABCDEF}),
                {0x04,
                 0x01,
                 0x12,
                 65,
                 {0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0xFF, 0, 0x56, 0x34, 0x12, 0xEF, 0xCD, 0xAB}});
    ExpectFrame(EncodeSensor(2, 8 | 16), {0x06, 0x01, 5, 65, {2, 1, 0, 1}});
    ExpectFrame(EncodeSensor(1, 53), {0x06, 0x01, 5, 65, {1, 0, 1, 1}});
    ExpectFrame(EncodePower({30, 1, 0, 20}), {0x07, 0x01, 4, 65, {30, 1, 0, 20}});
    ExpectFrame(EncodeLightReset(), {0x0E, 0x01, 1, 33, {0x01}});
    ExpectFrame(EncodeFactoryReset(), {0x0F, 0x01, 1, 33, {0xFF}});
    ExpectFrame(MakeQuery(0x13), {0x13, 0x00, 0, 33, {}});
}

TEST(SettingsCommandsTest, DpiStagesAreClampedEncodedAndSentTwice) {
    DpiStageSettings stages;
    stages.count = 6;
    stages.index = 2;
    stages.values = {40, 15000, 800, 10000, 10100, 12000};
    // Sensor 0x11: 40 is raised to 100 (code 2), 15000 lowered to 12000 (code 220).
    ExpectFrame(EncodeDpiStages(0x11, 100, 12000, stages),
                {0x03, 0x01, 0x25, 33, {0x26, 2, 0,   2, 0,   220, 0,   220, 0,   16, 0,   16, 0,
                                        200,  0, 200, 0, 201, 0,   201, 0,   220, 0,  220, 0}});
    // Codes above 255 use the high byte.
    stages.values = {26000, 100, 100, 100, 100, 100};
    const Request wide = EncodeDpiStages(0x95, 100, 26000, stages);
    EXPECT_EQ(wide.frame[6], 519 & 0xFF);
    EXPECT_EQ(wide.frame[7], 519 >> 8);
    EXPECT_EQ(wide.frame[8], 519 & 0xFF);
    EXPECT_EQ(wide.frame[9], 519 >> 8);
}

TEST(SettingsCommandsTest, LightFrameDependsOnTheMode) {
    LightEffect light;
    light.brightness = 3;
    light.speed = 5;
    light.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x010203, 0x040506, 0x070809, 0x0A0B0C};
    light.mode = 0;
    ExpectFrame(EncodeLight(light), {0x05, 0x01, 2, 65, {0, 0x35}});
    light.mode = 1;
    ExpectFrame(EncodeLight(light), {0x05, 0x01, 3, 65, {1, 0x35}});
    light.mode = 3;
    ExpectFrame(EncodeLight(light), {0x05, 0x01, 5, 65, {3, 0x35, 0xFF, 0, 0}});
    light.mode = 2;
    ExpectFrame(EncodeLight(light),
                {0x05, 0x01, 24, 65, {2, 0x35, 7, 0xFF, 0, 0, 0, 0xFF, 0, 0,    0,    0xFF,
                                      3, 2,    1, 6,    5, 4, 9, 8,    7, 0x0C, 0x0B, 0x0A}});
    light.mode = 9;
    ExpectFrame(EncodeLight(light), {0x05, 0x01, 0, 65, {9, 0x35}});
}

// A reply buffer as the transaction leaves it: report id removed, data byte n at 4 + n.
std::vector<std::uint8_t> Reply(std::vector<std::uint8_t> data) {
    std::vector<std::uint8_t> reply(65, 0);
    for (std::size_t i = 0; i < data.size(); ++i)
        reply[4 + i] = data[i];
    return reply;
}

TEST(SettingsCommandsTest, DecodesQueryReplies) {
    // Stage 0 from its second copy, the others from their first; 7500 is code 55 on sensor 0x25; a
    // stage that decodes below 50 DPI stays empty.
    const auto dpi = DecodeDpiStagesReply(
        0x25, Reply({0x24, 0xEE, 0xEE, 55, 0, 10, 0, 99, 99, 0, 0, 0, 0, 50, 0, 0, 0, 60, 0, 0, 0, 1, 0}));
    EXPECT_EQ(dpi.count, 4);
    EXPECT_EQ(dpi.index, 2);
    EXPECT_EQ(dpi.values[0], 7500);
    EXPECT_EQ(dpi.values[1], 1000);
    EXPECT_FALSE(dpi.values[2].has_value());
    EXPECT_EQ(dpi.values[3], 5000);
    EXPECT_EQ(dpi.values[4], 10000);
    EXPECT_EQ(dpi.values[5], 100);

    const auto colours = DecodeDpiColoursReply(Reply({0xFF, 0, 0, 1, 2, 3}));
    EXPECT_EQ(colours[0], 0x0000FFu);
    EXPECT_EQ(colours[1], 0x030201u);

    const auto light = DecodeLightReply(Reply({2, 0x4A}));
    EXPECT_EQ(light.mode, 2);
    EXPECT_EQ(light.brightness, 4);
    EXPECT_EQ(light.speed, 10);

    EXPECT_EQ(DecodeSensorReply(Reply({2, 1, 0, 1})).sensorFlag, 24);
    EXPECT_EQ(DecodeSensorReply(Reply({1, 0, 1, 2})).sensorFlag, 4);
    EXPECT_EQ(DecodeSensorReply(Reply({2, 1, 0, 1})).liftoffHeight, 2);
    EXPECT_EQ(DecodePowerReply(Reply({6, 1, 0, 12})), (PowerSettings{6, 1, 0, 12}));
    EXPECT_EQ(DecodeReportRateReply(Reply({0x10})), 0x10);
    EXPECT_EQ(DecodeReceiverVersion(Reply({0x1, 0x05})), "105");
    EXPECT_EQ(DecodeReceiverVersion(Reply({0x1A, 0x0B})), "1A0B");
    EXPECT_EQ(FormatVersionLine("Firmware", "105"), "Firmware: 1.05");
}

TEST(SettingsCommandsTest, DecodesTheInfoBlock) {
    std::vector<std::uint8_t> reply(65, 0);
    const std::uint8_t bytes[] = {'A', 'B', 0, 'D', 0, 0, 0x25, 0x40, 0x5A, 0x01, 1};
    std::copy(std::begin(bytes), std::end(bytes), reply.begin() + 4);
    const DeviceInfo info = DecodeDeviceInfo(reply);
    EXPECT_EQ(info.deviceId, "AB");  // a zero byte ends the id early
    EXPECT_EQ(info.sensor, 0x25);
    EXPECT_EQ(info.highestRate, 0x40);
    EXPECT_EQ(info.batteryA, 0x5A);
    EXPECT_EQ(info.batteryB, 0x01);
    EXPECT_EQ(info.linked, 1);
    EXPECT_EQ(DecodeDeviceInfo(std::span<const std::uint8_t>()).deviceId, "");
}

TEST(ReportRatesTest, CapabilityDecidesTheOfferedRates) {
    EXPECT_EQ(ReportRateCapability(0x40), 7);
    EXPECT_EQ(ReportRateCapability(0x20), 6);
    EXPECT_EQ(ReportRateCapability(0x10), 5);
    EXPECT_EQ(ReportRateCapability(0x01), 4);
    EXPECT_EQ(ReportRateItems(7).size(), 7u);
    EXPECT_EQ(ReportRateItems(7).back().code, 0x40);
    for (int capability : {4, 5, 6}) {
        ASSERT_EQ(ReportRateItems(capability).size(), 4u);
        EXPECT_STREQ(ReportRateItems(capability).back().text, "1000Hz");
    }
}

}  // namespace
}  // namespace vellomir
