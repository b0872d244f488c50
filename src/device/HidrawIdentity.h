#pragma once
// Naming a hidraw node the way the catalogue patterns expect: "VID_%04X&PID_%04X&MI_%02X".
// The numbers come from udev (the USB device's attributes, or the HID device's HID_ID and HID_PHYS);
// for a node that is already gone they are read from its device path.

#include <cstdint>
#include <string>
#include <string_view>

namespace vellomir {

struct InterfaceIds {
    bool known = false;  // vendor and product id found
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = -1;  // -1 when not a USB interface or not found
};

// HID_ID of a HID device, "0003:00001209:00000001" (bus:vendor:product, hexadecimal).
bool ParseHidId(std::string_view hidId, std::uint16_t& vendorId, std::uint16_t& productId);
// The interface number of HID_PHYS, "usb-0000:00:14.0-2/input2" -> 2; -1 when it names none.
int ParseHidPhysInterface(std::string_view phys);
// A hidraw device path, ".../1-2:1.2/0003:1209:0001.0005/hidraw/hidraw3": the ids of the HID device
// folder and the interface number of the USB interface folder above it.
InterfaceIds ParseHidrawDevpath(std::string_view devpath);
// "<devnode>#VID_1209&PID_0001&MI_02" (the MI part only when the interface number is known).
std::string FormatHotplugPath(std::string_view devnode, const InterfaceIds& ids);

}  // namespace vellomir
