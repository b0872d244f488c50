#pragma once
// Entry point for the program's choice of backend when VELLOMIR_SIMULATE is set.

#include <memory>
#include <string>

#include "device/HidBackend.h"

namespace vellomir {

// A simulated backend with the devices that `deviceList` (the value of VELLOMIR_SIMULATE) names,
// already plugged in; nullptr when the list cannot be parsed. The syntax is in src/sim/README.md.
std::shared_ptr<HidBackend> CreateSimulatedBackend(const std::string& deviceList);

}  // namespace vellomir
