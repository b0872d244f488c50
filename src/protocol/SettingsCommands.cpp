#include "protocol/SettingsCommands.h"

#include "common/Text.h"
#include "protocol/DpiCodes.h"

namespace vellomir {

namespace {

constexpr std::uint8_t Low(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
constexpr std::uint8_t High(int value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void PutRgb(Request& request, std::size_t offset, std::uint32_t colour) {
    const Rgb rgb = RgbFromColour(colour);
    request.frame[offset] = rgb.red;
    request.frame[offset + 1] = rgb.green;
    request.frame[offset + 2] = rgb.blue;
}

std::uint8_t ReplyByte(std::span<const std::uint8_t> reply, std::size_t offset) {
    return offset < reply.size() ? reply[offset] : 0;
}

int ReplyWord(std::span<const std::uint8_t> reply, std::size_t offset) {
    return ReplyByte(reply, offset) | (ReplyByte(reply, offset + 1) << 8);
}

}  // namespace

Rgb RgbFromColour(std::uint32_t colour) {
    return {static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
            static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

std::uint32_t ColourFromRgb(Rgb rgb) {
    return static_cast<std::uint32_t>(rgb.red) | (static_cast<std::uint32_t>(rgb.green) << 8) |
           (static_cast<std::uint32_t>(rgb.blue) << 16);
}

Request EncodeReportRate(int reportRateCode) {
    Request request = MakeWriteRequest(command::kReportRate, 1, kLongRequest);
    request.frame[5] = Low(reportRateCode);
    return request;
}

Request EncodeDpiStages(int sensor, int lowestDpi, int highestDpi, const DpiStageSettings& stages) {
    // The length byte of this command is 0x25, not the 25 data bytes it carries; the firmware expects it.
    Request request = MakeWriteRequest(command::kDpiStages, 0x25, kShortRequest);
    request.frame[5] = Low((stages.index << 4) | stages.count);
    for (int i = 0; i < kDpiStagesSent; ++i) {
        int dpi = stages.values[i];
        if (dpi < lowestDpi) dpi = lowestDpi;
        if (dpi > highestDpi) dpi = highestDpi;
        const int code = DpiToCode(sensor, dpi);
        const std::size_t at = 6 + 4 * static_cast<std::size_t>(i);
        request.frame[at] = Low(code);
        request.frame[at + 1] = High(code);
        request.frame[at + 2] = Low(code);
        request.frame[at + 3] = High(code);
    }
    return request;
}

Request EncodeDpiColours(const std::array<std::uint32_t, kDpiStagesSent>& colours) {
    Request request = MakeWriteRequest(command::kDpiColours, 0x12, kLongRequest);
    for (std::size_t i = 0; i < colours.size(); ++i)
        PutRgb(request, 5 + 3 * i, colours[i]);
    return request;
}

Request EncodeLight(const LightEffect& light) {
    std::uint8_t length = 0;
    switch (light.mode) {
        case 0:
        case 4:
        case 5:
            length = 2;
            break;
        case 1:
            length = 3;
            break;
        case 2:
            length = 24;
            break;
        case 3:
            length = 5;
            break;
        default:
            length = 0;
            break;
    }
    Request request = MakeWriteRequest(command::kLight, length, kLongRequest);
    request.frame[5] = Low(light.mode);
    request.frame[6] = Low((light.brightness << 4) | light.speed);
    if (light.mode == 2) {
        request.frame[7] = 7;
        for (std::size_t i = 0; i < light.colours.size(); ++i)
            PutRgb(request, 8 + 3 * i, light.colours[i]);
    } else if (light.mode == 3) {
        PutRgb(request, 7, light.colours[0]);
    }
    return request;
}

Request EncodeSensor(int liftoffHeight, int sensorFlag) {
    Request request = MakeWriteRequest(command::kSensor, 5, kLongRequest);
    request.frame[5] = Low(liftoffHeight);
    request.frame[6] = (sensorFlag & 8) ? 1 : 0;
    request.frame[7] = (sensorFlag & 4) ? 1 : 0;
    request.frame[8] = (sensorFlag & 16) ? 1 : 0;
    return request;
}

Request EncodePower(const PowerSettings& power) {
    Request request = MakeWriteRequest(command::kPower, 4, kLongRequest);
    request.frame[5] = Low(power.sleepLight);
    request.frame[6] = Low(power.moveWakeup);
    request.frame[7] = Low(power.moveCloseLight);
    request.frame[8] = Low(power.buttonResponseTime);
    return request;
}

Request EncodeLightReset() {
    Request request = MakeWriteRequest(command::kLightReset, 1, kShortRequest);
    request.frame[5] = 0x01;
    return request;
}

Request EncodeFactoryReset() {
    Request request = MakeWriteRequest(command::kFactoryReset, 1, kShortRequest);
    request.frame[5] = 0xFF;
    return request;
}

DeviceInfo DecodeDeviceInfo(std::span<const std::uint8_t> reply) {
    DeviceInfo info;
    for (std::size_t i = 4; i < 8; ++i) {
        const std::uint8_t c = ReplyByte(reply, i);
        if (c == 0) break;
        info.deviceId.push_back(static_cast<char>(c));
    }
    info.sensor = ReplyByte(reply, 10);
    info.highestRate = ReplyByte(reply, 11);
    info.batteryA = ReplyByte(reply, 12);
    info.batteryB = ReplyByte(reply, 13);
    info.linked = ReplyByte(reply, 14);
    return info;
}

int DecodeReportRateReply(std::span<const std::uint8_t> reply) {
    return ReplyByte(reply, 4);
}

DpiStagesReply DecodeDpiStagesReply(int sensor, std::span<const std::uint8_t> reply) {
    DpiStagesReply result;
    const std::uint8_t head = ReplyByte(reply, 4);
    result.count = head & 0x0F;
    result.index = head >> 4;
    for (int i = 0; i < kDpiStagesSent; ++i) {
        // Stage 0 is taken from its second copy, the others from their first.
        const std::size_t at = i == 0 ? 7 : 5 + 4 * static_cast<std::size_t>(i);
        const int dpi = CodeToDpi(sensor, ReplyWord(reply, at));
        if (dpi >= 50) result.values[i] = dpi;
    }
    return result;
}

std::array<std::uint32_t, kDpiStagesSent> DecodeDpiColoursReply(std::span<const std::uint8_t> reply) {
    std::array<std::uint32_t, kDpiStagesSent> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = ColourFromRgb(
            {ReplyByte(reply, 4 + 3 * i), ReplyByte(reply, 5 + 3 * i), ReplyByte(reply, 6 + 3 * i)});
    }
    return colours;
}

LightReply DecodeLightReply(std::span<const std::uint8_t> reply) {
    const std::uint8_t levels = ReplyByte(reply, 5);
    return {ReplyByte(reply, 4), levels >> 4, levels & 0x0F};
}

SensorReply DecodeSensorReply(std::span<const std::uint8_t> reply) {
    SensorReply result;
    result.liftoffHeight = ReplyByte(reply, 4);
    if (ReplyByte(reply, 5) == 1) result.sensorFlag += 8;
    if (ReplyByte(reply, 6) == 1) result.sensorFlag += 4;
    if (ReplyByte(reply, 7) == 1) result.sensorFlag += 16;
    return result;
}

PowerSettings DecodePowerReply(std::span<const std::uint8_t> reply) {
    return {ReplyByte(reply, 4), ReplyByte(reply, 5), ReplyByte(reply, 6), ReplyByte(reply, 7)};
}

std::string DecodeReceiverVersion(std::span<const std::uint8_t> reply) {
    return StrFormat("%X%02X", ReplyByte(reply, 4), ReplyByte(reply, 5));
}

std::string FormatVersionLine(const std::string& label, const std::string& version) {
    // The version is made of hex digits, so bytes and characters are the same here.
    const std::string first = version.substr(0, 1);
    const std::string lastTwo = version.size() >= 2 ? version.substr(version.size() - 2) : version;
    return StrFormat("%s: %s.%s", label.c_str(), first.c_str(), lastTwo.c_str());
}

}  // namespace vellomir
