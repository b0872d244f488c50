#include "device/HotplugRouting.h"

#include "common/Text.h"
#include "common/Trace.h"
#include "device/DeviceIdentity.h"

namespace vellomir {

void UpdateUSBDevice(const HotplugEvent& event, std::span<const VidPid> modes, bool connected,
                     const std::function<void(int job)>& queueJob) {
    Trace("UpdateUSBDevice path: %s", event.path.c_str());
    const std::string upper = ToUpperAscii(event.path);
    if (event.kind == HotplugEvent::kArrival) {
        for (const VidPid& mode : modes) {
            if (upper.find(StrFormat("VID_%04X&PID_%04X", mode.vendorId, mode.productId)) ==
                std::string::npos) {
                continue;
            }
            if (event.usageKnown && IsAcceptedUsage(event.usagePage, event.usage) && queueJob) {
                queueJob(kJobArrivalScan);
            }
            return;
        }
    } else if (event.kind == HotplugEvent::kRemoval && connected) {
        for (const VidPid& mode : modes) {
            if (upper.find(StrFormat("VID_%04X&PID_%04X&MI_02", mode.vendorId, mode.productId)) ==
                std::string::npos) {
                continue;
            }
            if (queueJob) queueJob(kJobRemovalScan);
            return;
        }
    }
}

}  // namespace vellomir
