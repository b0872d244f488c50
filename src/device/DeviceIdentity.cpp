#include "device/DeviceIdentity.h"

#include "common/Text.h"

namespace vellomir {

bool IsAcceptedUsage(std::uint16_t usagePage, std::uint16_t usage) {
    return (usagePage == 0x0001 && usage == 0x0000) || (usagePage == 0xFF01 && usage == 0x0010);
}

std::string GetDeviceId(const InfoBlock& info) {
    std::string id;
    for (std::size_t i = 0; i < kInfoDeviceIdBytes; ++i) {
        const std::uint8_t byte = info[kInfoDeviceIdOffset + i];
        if (byte == 0) break;
        AppendUtf8(id, byte);
    }
    return id;
}

int GetDeviceType(std::span<const SupportedDevice> supported, std::uint32_t vendorId, std::uint32_t productId,
                  const std::string& deviceId) {
    for (const SupportedDevice& entry : supported) {
        if (entry.vendorId != vendorId || entry.productId != productId) continue;
        if (CountCodePoints(entry.deviceId) < 4) return kReceiverDeviceType;
        if (entry.deviceId == deviceId) return entry.deviceType;
    }
    return 0;
}

}  // namespace vellomir
