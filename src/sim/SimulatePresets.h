#pragma once
// The devices that VELLOMIR_SIMULATE can name, and the parser of its value (see README.md here).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/MouseModel.h"
#include "sim/SimInterface.h"
#include "sim/SimulatedDevice.h"
#include "sim/VirtualReceiver.h"

namespace vellomir::sim {

// One device to create: a mouse on its cable, or a receiver with its paired mouse.
struct SimDeviceSpec {
    bool receiver = false;
    bool mouseOnline = true;  // receivers only
    UsbIdentity usb;
    MouseModel mouse;
    ReceiverModel receiverModel;
};

// The named presets ("arc", "drift", "drift-receiver", "apex8k"); nothing for an unknown name.
std::optional<SimDeviceSpec> FindPreset(std::string_view name);

// Parses a whole VELLOMIR_SIMULATE value; nothing when any part of it is not understood.
std::optional<std::vector<SimDeviceSpec>> ParseSimulateSpec(std::string_view text);

std::shared_ptr<SimulatedDevice> CreateDevice(const SimDeviceSpec& spec);

}  // namespace vellomir::sim
