#include "sim/SimulatePresets.h"

#include <cctype>

#include "common/Text.h"
#include "sim/SimulatedMouse.h"
#include "sim/SimulatedReceiver.h"

namespace vellomir::sim {

namespace {

constexpr std::uint16_t kVendor = 0x1209;

SimDeviceSpec Arc() {
    SimDeviceSpec spec;
    spec.usb.productId = 0x0001;
    spec.mouse.deviceId = "ARC1";
    spec.mouse.sensorCode = 0x35;  // 100..16000 DPI, code = dpi / 100
    spec.mouse.dpiCodes = {4, 8, 16, 32, 64, 120};
    return spec;
}

SimDeviceSpec Drift(bool receiver) {
    SimDeviceSpec spec;
    spec.receiver = receiver;
    spec.usb.productId = receiver ? 0x0003 : 0x0002;
    spec.usb.releaseNumber = receiver ? 0x0105 : 0x0102;
    spec.mouse.deviceId = "DRF1";
    spec.mouse.sensorCode = 0x11;  // 100..12000 DPI, code = dpi / 50 up to 10000
    spec.mouse.dpiCodes = {8, 16, 32, 64, 120, 200};
    spec.mouse.batteryA = 0x5A;
    spec.mouse.batteryB = 0x00;
    spec.receiverModel = {1, 0x05};
    return spec;
}

SimDeviceSpec Apex() {
    SimDeviceSpec spec;
    spec.usb.productId = 0x0004;
    spec.usb.releaseNumber = 0x0110;
    spec.mouse.deviceId = "APX8";
    spec.mouse.sensorCode = 0x95;  // 100..26000 DPI, code = dpi / 50 - 1
    spec.mouse.rateCapability = 0x40;
    spec.mouse.dpiCodes = {7, 15, 31, 63, 127, 255};
    return spec;
}

bool ParseHex16(std::string_view text, std::uint16_t& out) {
    if (text.empty() || text.size() > 4) return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    out = static_cast<std::uint16_t>(ReadHex(text));
    return true;
}

bool ValidDeviceId(std::string_view id) {
    if (id.empty() || id.size() > 4) return false;
    for (char c : id) {
        if (c <= ' ' || c > '~') return false;
    }
    return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// "cable:VID:PID:DEVID" or "receiver:VID:PID:DEVID".
std::optional<SimDeviceSpec> ParseCustom(std::string_view item) {
    const auto fields = Split(item, ':');
    if (fields.size() != 4) return std::nullopt;
    const std::string kind = ToLowerAscii(fields[0]);
    if (kind != "cable" && kind != "receiver") return std::nullopt;
    SimDeviceSpec spec;
    spec.receiver = kind == "receiver";
    if (!ParseHex16(fields[1], spec.usb.vendorId) || !ParseHex16(fields[2], spec.usb.productId) ||
        !ValidDeviceId(fields[3])) {
        return std::nullopt;
    }
    spec.mouse.deviceId = std::string(fields[3]);
    if (spec.receiver) spec.mouse.batteryA = 0x5A;
    return spec;
}

std::optional<SimDeviceSpec> ParseItem(std::string_view item) {
    item = TrimAscii(item);
    bool offline = false;
    const std::size_t plus = item.find('+');
    if (plus != std::string_view::npos) {
        if (ToLowerAscii(TrimAscii(item.substr(plus + 1))) != "offline") return std::nullopt;
        offline = true;
        item = TrimAscii(item.substr(0, plus));
    }
    auto spec = item.find(':') == std::string_view::npos ? FindPreset(item) : ParseCustom(item);
    if (!spec) return std::nullopt;
    if (offline) {
        if (!spec->receiver) return std::nullopt;  // only a receiver can have its mouse away
        spec->mouseOnline = false;
    }
    return spec;
}

}  // namespace

std::optional<SimDeviceSpec> FindPreset(std::string_view name) {
    const std::string key = ToLowerAscii(TrimAscii(name));
    SimDeviceSpec spec;
    if (key == "arc") {
        spec = Arc();
    } else if (key == "drift") {
        spec = Drift(false);
    } else if (key == "drift-receiver") {
        spec = Drift(true);
    } else if (key == "apex8k" || key == "apex") {
        spec = Apex();
    } else {
        return std::nullopt;
    }
    spec.usb.vendorId = kVendor;
    return spec;
}

std::optional<std::vector<SimDeviceSpec>> ParseSimulateSpec(std::string_view text) {
    if (TrimAscii(text).empty()) return std::nullopt;
    std::vector<SimDeviceSpec> specs;
    for (std::string_view item : Split(text, ',')) {
        auto spec = ParseItem(item);
        if (!spec) return std::nullopt;
        specs.push_back(std::move(*spec));
    }
    return specs;
}

std::shared_ptr<SimulatedDevice> CreateDevice(const SimDeviceSpec& spec) {
    if (spec.receiver) {
        return SimulatedReceiver::Create(spec.usb, spec.receiverModel, spec.mouse, spec.mouseOnline);
    }
    return SimulatedMouse::Create(spec.usb, spec.mouse);
}

}  // namespace vellomir::sim
