#pragma once
// The USB side of a simulated device: its ids and the HID interfaces it shows.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellomir::sim {

enum class InterfaceRole { kPointer, kKeyboard, kProtocol, kLoader };

struct SimInterface {
    int number = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    InterfaceRole role = InterfaceRole::kPointer;
    std::uint8_t reportId = 0;     // first byte every write must carry
    std::size_t outputLength = 0;  // output report size without the report id (0: none)
};

struct UsbIdentity {
    std::uint16_t vendorId = 0x1209;
    std::uint16_t productId = 0x0001;
    std::uint16_t releaseNumber = 0x0103;
    // Usage pair of the interface that speaks the mouse protocol: (0xFF01, 0x0010) or (0x0001, 0x0000).
    std::uint16_t protocolUsagePage = 0xFF01;
    std::uint16_t protocolUsage = 0x0010;
};

// Interface numbers of the composite devices built here.
inline constexpr int kPointerInterface = 0;
inline constexpr int kKeyboardInterface = 1;
inline constexpr int kProtocolInterface = 2;
inline constexpr int kLoaderInterface = 3;

// A gaming mouse or receiver as it enumerates: pointer (1, 2), keyboard (1, 6), the protocol
// interface with the usage pair of `usb`, and the firmware loader (0xFFEF, 0).
std::vector<SimInterface> CompositeInterfaces(const UsbIdentity& usb);

}  // namespace vellomir::sim
