#pragma once
// Encoders of the setting commands and decoders of the query replies. Pure functions over plain
// values: the procedures that read the stores and talk to the mouse are in DeviceCommands.h and
// ReadDeviceConfig.h.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "protocol/Request.h"

namespace vellomir {

namespace command {
inline constexpr std::uint8_t kReportRate = 0x02;
inline constexpr std::uint8_t kDpiStages = 0x03;
inline constexpr std::uint8_t kDpiColours = 0x04;
inline constexpr std::uint8_t kLight = 0x05;
inline constexpr std::uint8_t kSensor = 0x06;
inline constexpr std::uint8_t kPower = 0x07;
inline constexpr std::uint8_t kMacro = 0x08;
inline constexpr std::uint8_t kKeyTable = 0x09;
inline constexpr std::uint8_t kLightReset = 0x0E;
inline constexpr std::uint8_t kFactoryReset = 0x0F;
inline constexpr std::uint8_t kInfo = 0x10;
inline constexpr std::uint8_t kPrepareRead = 0x11;
inline constexpr std::uint8_t kQueryReportRate = 0x12;
inline constexpr std::uint8_t kQueryDpiStages = 0x13;
inline constexpr std::uint8_t kQueryDpiColours = 0x14;
inline constexpr std::uint8_t kQueryLight = 0x15;
inline constexpr std::uint8_t kQuerySensor = 0x16;
inline constexpr std::uint8_t kQueryPower = 0x17;
inline constexpr std::uint8_t kQueryReceiverVersion = 0x20;
}  // namespace command

inline constexpr int kDpiStagesSent = 6;

// Colours are Windows colour values 0x00BBGGRR throughout.
struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};
Rgb RgbFromColour(std::uint32_t colour);
std::uint32_t ColourFromRgb(Rgb rgb);

struct DpiStageSettings {
    int count = 0;                             // dpi_count
    int index = 0;                             // dpi_index
    std::array<int, kDpiStagesSent> values{};  // dpi_group0_value .. dpi_group5_value
};

struct LightEffect {
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    std::array<std::uint32_t, 7> colours{};  // color_value1 .. color_value7
};

struct PowerSettings {
    int sleepLight = 0;
    int moveWakeup = 0;
    int moveCloseLight = 0;
    int buttonResponseTime = 0;
    bool operator==(const PowerSettings&) const = default;
};

// 0x02: the report-rate code.
Request EncodeReportRate(int reportRateCode);
// 0x03: stage count and index, then each of the six stages as its code twice; every value is first
// clamped to [lowest, highest] of the sensor.
Request EncodeDpiStages(int sensor, int lowestDpi, int highestDpi, const DpiStageSettings& stages);
// 0x04: red, green, blue of the six stage colours.
Request EncodeDpiColours(const std::array<std::uint32_t, kDpiStagesSent>& colours);
// 0x05: mode, brightness and speed, and the colours the mode uses.
Request EncodeLight(const LightEffect& light);
// 0x06: lift-off distance and the three sensor options (bits 8, 4 and 16 of sensor_flag).
Request EncodeSensor(int liftoffHeight, int sensorFlag);
// 0x07: sleep, wake and light-off options and the button response time.
Request EncodePower(const PowerSettings& power);
// 0x0E: restore the mouse's light effect.
Request EncodeLightReset();
// 0x0F: factory reset.
Request EncodeFactoryReset();

// The info block (reply to 0x10; reply offsets).
struct DeviceInfo {
    std::string deviceId;  // bytes 4-7, ending early at a zero byte
    std::uint8_t sensor = 0;
    std::uint8_t highestRate = 0;
    std::uint8_t batteryA = 0;
    std::uint8_t batteryB = 0;
    std::uint8_t linked = 0;
};
DeviceInfo DecodeDeviceInfo(std::span<const std::uint8_t> reply);

// Query replies. `reply` is the frame buffer after a successful transaction (report id removed).
int DecodeReportRateReply(std::span<const std::uint8_t> reply);

struct DpiStagesReply {
    int count = 0;  // low nibble; stored in dpi_flag and dpi_count
    int index = 0;  // high nibble
    // Decoded stage values; a stage that decodes below 50 DPI is empty and leaves its key alone.
    std::array<std::optional<int>, kDpiStagesSent> values{};
};
DpiStagesReply DecodeDpiStagesReply(int sensor, std::span<const std::uint8_t> reply);

std::array<std::uint32_t, kDpiStagesSent> DecodeDpiColoursReply(std::span<const std::uint8_t> reply);

struct LightReply {
    int mode = 0;
    int brightness = 0;
    int speed = 0;
};
LightReply DecodeLightReply(std::span<const std::uint8_t> reply);

struct SensorReply {
    int liftoffHeight = 0;
    int sensorFlag = 0;  // only the three option bits
};
SensorReply DecodeSensorReply(std::span<const std::uint8_t> reply);

PowerSettings DecodePowerReply(std::span<const std::uint8_t> reply);

// "%X%02X" of reply bytes 4 and 5.
std::string DecodeReceiverVersion(std::span<const std::uint8_t> reply);

// A version line "<label>: <first character>.<last two characters>" (counted in code points).
std::string FormatVersionLine(const std::string& label, const std::string& version);

}  // namespace vellomir
