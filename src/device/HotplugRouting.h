#pragma once
// Turns a device arrival or removal into a device job. Runs on the UI thread and touches no record.

#include <functional>
#include <span>

#include "common/JobCodes.h"
#include "device/DeviceRecord.h"
#include "device/HidBackend.h"

namespace vellomir {

// `modes` is the catalogue's mode list in order. An arrival whose path names the first matching mode
// ("VID_%04X&PID_%04X", any letter case) and whose usage pair is accepted queues kJobArrivalScan; a
// removal of interface 2 of a mode ("VID_%04X&PID_%04X&MI_02") queues kJobRemovalScan, but only
// while a device is connected. Only the first matching mode is looked at.
void UpdateUSBDevice(const HotplugEvent& event, std::span<const VidPid> modes, bool connected,
                     const std::function<void(int job)>& queueJob);

}  // namespace vellomir
