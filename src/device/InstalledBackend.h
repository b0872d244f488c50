#pragma once
// The HID backend of the process. The program installs one at start (hidapi, or the simulator);
// tests install a simulator per test. The DeviceManager asks for it at every enumeration and open.

#include <memory>

#include "device/HidBackend.h"

namespace vellomir {

// Replaces the installed backend (nullptr uninstalls it). Handles opened through the previous one stay
// valid until they are closed.
void SetHidBackend(std::shared_ptr<HidBackend> backend);
// The installed backend, or nullptr when none is.
std::shared_ptr<HidBackend> GetHidBackend();

}  // namespace vellomir
