#pragma once
// The backend the program uses: the simulator when VELLOMIR_SIMULATE is set (its value names the
// virtual devices), the system's HID devices through hidapi otherwise.

#include <memory>

#include "device/HidBackend.h"

namespace vellomir {

// An empty VELLOMIR_SIMULATE means the real devices. A value that cannot be understood is reported
// on standard error and the real devices are used.
std::shared_ptr<HidBackend> ChooseHidBackend();

}  // namespace vellomir
