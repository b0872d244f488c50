#include "sim/VirtualMouse.h"

#include <algorithm>

namespace vellomir::sim {

namespace {

constexpr std::uint8_t kCmdReportRate = 0x02;
constexpr std::uint8_t kCmdDpi = 0x03;
constexpr std::uint8_t kCmdDpiColours = 0x04;
constexpr std::uint8_t kCmdLight = 0x05;
constexpr std::uint8_t kCmdSensor = 0x06;
constexpr std::uint8_t kCmdPower = 0x07;
constexpr std::uint8_t kCmdMacro = 0x08;
constexpr std::uint8_t kCmdKeys = 0x09;
constexpr std::uint8_t kCmdLightCommand = 0x0E;
constexpr std::uint8_t kCmdFactoryReset = 0x0F;
constexpr std::uint8_t kCmdInfo = 0x10;
constexpr std::uint8_t kCmdHello = 0x11;
constexpr std::uint8_t kFirstSettingQuery = 0x12;
constexpr std::uint8_t kLastSettingQuery = 0x17;
constexpr std::uint8_t kQueryOffset = 0x10;  // query 0x1N reads what setting 0x0N stored

constexpr std::size_t kDpiDataLength = 25;
constexpr std::uint8_t kDpiLengthByte = 0x25;  // the length byte of 0x03 is not its data length
constexpr std::size_t kKeyTableBytes = 27;     // key values 0..8
constexpr std::uint8_t kKeyTableLengthByte = 0x0F;

// Length byte of a light command by its mode; modes without parameters send none past the mode.
std::uint8_t LightLength(std::uint8_t mode) {
    switch (mode) {
        case 0:
        case 4:
        case 5:
            return 2;
        case 1:
            return 3;
        case 2:
            return 24;
        case 3:
            return 5;
        default:
            return 0;
    }
}

// The length byte each single-packet setting must carry; 0xFF for commands the mouse does not know.
std::uint8_t ExpectedLength(std::uint8_t command, const std::uint8_t* request) {
    switch (command) {
        case kCmdReportRate:
        case kCmdLightCommand:
        case kCmdFactoryReset:
            return 1;
        case kCmdDpi:
            return kDpiLengthByte;
        case kCmdDpiColours:
            return 0x12;
        case kCmdLight:
            return LightLength(request[kReqData]);
        case kCmdSensor:
            return 5;
        case kCmdPower:
            return 4;
        case kCmdKeys:
            return kKeyTableLengthByte;
        default:
            return 0xFF;
    }
}

std::size_t StoredLength(std::uint8_t command, std::uint8_t lengthByte) {
    if (command == kCmdDpi) return kDpiDataLength;
    if (command == kCmdLight) return std::max<std::size_t>(lengthByte, 2);
    return lengthByte;
}

void PutRgb(std::uint8_t* out, std::uint32_t rgb) {
    out[0] = static_cast<std::uint8_t>(rgb >> 16);
    out[1] = static_cast<std::uint8_t>(rgb >> 8);
    out[2] = static_cast<std::uint8_t>(rgb);
}

}  // namespace

KeyTable DefaultKeyTable() {
    KeyTable table{};
    const std::uint8_t defaults[] = {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00,
                                     0x10, 0x08, 0x00, 0x10, 0x10, 0x00, 0x40, 0x01, 0x00};
    std::copy(std::begin(defaults), std::end(defaults), table.begin());
    return table;
}

VirtualMouse::VirtualMouse(MouseModel model) : model_(std::move(model)) {
    RestoreFactorySettings();
}

void VirtualMouse::RestoreFactorySettings() {
    settings_.clear();
    Stored rate;
    rate.data[0] = model_.reportRate;
    rate.length = 1;
    settings_[kCmdReportRate] = rate;

    Stored dpi;
    dpi.data[0] = static_cast<std::uint8_t>((model_.dpiIndex << 4) | (model_.dpiCount & 0x0F));
    for (int i = 0; i < 6; ++i) {
        const std::uint16_t code = model_.dpiCodes[static_cast<std::size_t>(i)];
        for (int half = 0; half < 2; ++half) {
            dpi.data[static_cast<std::size_t>(1 + 4 * i + 2 * half)] = static_cast<std::uint8_t>(code);
            dpi.data[static_cast<std::size_t>(2 + 4 * i + 2 * half)] = static_cast<std::uint8_t>(code >> 8);
        }
    }
    dpi.length = kDpiDataLength;
    settings_[kCmdDpi] = dpi;

    Stored colours;
    for (std::size_t i = 0; i < 6; ++i)
        PutRgb(&colours.data[3 * i], model_.dpiColours[i]);
    colours.length = 18;
    settings_[kCmdDpiColours] = colours;

    RestoreFactoryLight();

    Stored sensor;
    sensor.data[0] = model_.liftoffHeight;
    std::copy(model_.sensorOptions.begin(), model_.sensorOptions.end(), sensor.data.begin() + 1);
    sensor.length = 5;
    settings_[kCmdSensor] = sensor;

    Stored power;
    std::copy(model_.power.begin(), model_.power.end(), power.data.begin());
    power.length = 4;
    settings_[kCmdPower] = power;

    keys_ = DefaultKeyTable();
    macros_.clear();
}

void VirtualMouse::RestoreFactoryLight() {
    Stored light;
    light.data[0] = model_.lightMode;
    light.data[1] = static_cast<std::uint8_t>((model_.lightBrightness << 4) | (model_.lightSpeed & 0x0F));
    light.length = StoredLength(kCmdLight, LightLength(model_.lightMode));
    settings_[kCmdLight] = light;
}

std::vector<Report> VirtualMouse::HandleRequest(const std::uint8_t* request) {
    const std::uint8_t command = request[kReqCommand];
    const std::uint8_t check = CheckRequest(request);
    if (check != kStatusOk) return {MakeReply(command, check)};

    if (command == kCmdInfo) return {InfoReply(true)};
    if (command == kCmdHello) return {MakeReply(command, kStatusOk)};
    if (command >= kFirstSettingQuery && command <= kLastSettingQuery) {
        const Stored& stored = settings_.at(static_cast<std::uint8_t>(command - kQueryOffset));
        return {MakeReply(command, stored.data, stored.length)};
    }
    if (command == kCmdMacro) return {MakeReply(command, ApplyMacroPacket(request))};
    if (IsQuery(command)) return {MakeReply(command, kStatusUnknownCommand)};

    const std::uint8_t expected = ExpectedLength(command, request);
    if (expected == 0xFF) return {MakeReply(command, kStatusUnknownCommand)};
    if (request[kReqPacket] != 0x01 || request[kReqLength] != expected) {
        return {MakeReply(command, kStatusBadFrame)};
    }
    const std::uint8_t status = ApplySetting(command, request);
    auto it = settings_.find(command);
    if (status == kStatusOk && it != settings_.end()) {
        return {MakeReply(command, it->second.data, it->second.length)};
    }
    return {MakeReply(command, status)};
}

std::uint8_t VirtualMouse::ApplySetting(std::uint8_t command, const std::uint8_t* request) {
    const std::uint8_t* data = request + kReqData;
    switch (command) {
        case kCmdKeys:
            std::copy(data, data + kKeyTableBytes, keys_.begin());
            return kStatusOk;
        case kCmdLightCommand:
            // Brings back the factory light effect; the host reads it back with 0x15.
            if (data[0] != 0x01) return kStatusBadFrame;
            RestoreFactoryLight();
            ++lightCommands_;
            return kStatusOk;
        case kCmdFactoryReset:
            if (data[0] != 0xFF) return kStatusBadFrame;
            RestoreFactorySettings();
            ++factoryResets_;
            return kStatusOk;
        default: {
            Stored stored;
            std::copy(data, data + kDataSize, stored.data.begin());
            stored.length = StoredLength(command, request[kReqLength]);
            settings_[command] = stored;
            return kStatusOk;
        }
    }
}

std::uint8_t VirtualMouse::ApplyMacroPacket(const std::uint8_t* request) {
    const auto result = macroTransfer_.Add(request[kReqPacket], request + kReqData, request[kReqLength]);
    if (result == PacketAssembler::Result::kError) return kStatusBadFrame;
    if (result == PacketAssembler::Result::kMore) return kStatusOk;
    const auto& payload = macroTransfer_.Payload();
    // A key value and whole four-byte events; the key value must have a place in the key table.
    if ((payload.size() - 1) % 4 != 0 || payload[0] >= kKeyCount) return kStatusBadFrame;
    macros_[payload[0]] = std::vector<std::uint8_t>(payload.begin() + 1, payload.end());
    return kStatusOk;
}

Report VirtualMouse::InfoReply(bool linked) const {
    std::uint8_t data[11] = {};
    for (std::size_t i = 0; i < 4 && i < model_.deviceId.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(model_.deviceId[i]);
    }
    data[6] = model_.sensorCode;
    data[7] = model_.rateCapability;
    data[8] = linked ? model_.batteryA : 0;
    data[9] = linked ? model_.batteryB : 0;
    data[10] = linked ? 1 : 0;
    return MakeReply(kCmdInfo, kStatusOk, data, sizeof data);
}

std::uint8_t VirtualMouse::DpiIndex() const {
    return settings_.at(kCmdDpi).data[0] >> 4;
}
std::uint8_t VirtualMouse::DpiCount() const {
    return settings_.at(kCmdDpi).data[0] & 0x0F;
}

std::uint16_t VirtualMouse::DpiCode(int stage) const {
    const Data& data = settings_.at(kCmdDpi).data;
    const auto at = static_cast<std::size_t>(1 + 4 * std::clamp(stage, 0, 5));
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

Report VirtualMouse::PressDpiButton() {
    return SelectDpiStage(DpiIndex() + 1);
}

Report VirtualMouse::SelectDpiStage(int index) {
    const int count = std::max<int>(DpiCount(), 1);
    const int stage = ((index % count) + count) % count;
    Data& data = settings_.at(kCmdDpi).data;
    data[0] = static_cast<std::uint8_t>((stage << 4) | (data[0] & 0x0F));
    return DpiReport();
}

Report VirtualMouse::DpiReport() const {
    Report report(kReportSize, 0);
    report[0] = kDpiReportCode;
    report[1] = settings_.at(kCmdDpi).data[0];
    return report;
}

void VirtualMouse::SetBattery(std::uint8_t a, std::uint8_t b) {
    model_.batteryA = a;
    model_.batteryB = b;
}

const Data& VirtualMouse::Setting(std::uint8_t command) const {
    static const Data kNone{};
    auto it = settings_.find(command);
    return it == settings_.end() ? kNone : it->second.data;
}

std::optional<std::vector<std::uint8_t>> VirtualMouse::Macro(std::uint8_t key) const {
    auto it = macros_.find(key);
    if (it == macros_.end()) return std::nullopt;
    return it->second;
}

}  // namespace vellomir::sim
