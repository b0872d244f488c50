#pragma once
// How an interface is recognised: its usage pair, and the mouse model from its info block.

#include <cstdint>
#include <span>
#include <string>

#include "device/DeviceRecord.h"
#include "protocol/Transaction.h"

namespace vellomir {

// The top-level collections the program talks to: (0x0001, 0x0000) and (0xFF01, 0x0010).
bool IsAcceptedUsage(std::uint16_t usagePage, std::uint16_t usage);

// The firmware loader's interface.
inline constexpr std::uint16_t kLoaderUsagePage = 0xFFEF;
inline constexpr std::uint16_t kLoaderUsage = 0x0000;

// The device id of an info block: bytes 4 to 7, one character each (as code points U+0001..U+00FF,
// stored as UTF-8); a zero byte ends it early.
std::string GetDeviceId(const InfoBlock& info);

// The device type of a mouse: walks `supported` in order, looking only at entries with the same
// vendor and product id. The first such entry with a device id shorter than four characters makes it
// kReceiverDeviceType (and shadows every later entry of the pair); the first whose device id equals
// `deviceId` exactly gives its type. 0 when none does.
int GetDeviceType(std::span<const SupportedDevice> supported, std::uint32_t vendorId, std::uint32_t productId,
                  const std::string& deviceId);

}  // namespace vellomir
