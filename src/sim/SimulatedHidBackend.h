#pragma once
// The HID backend of the simulator: a set of simulated devices that can be plugged and unplugged at
// run time. Every interface gets a path "sim/<n>/VID_%04X&PID_%04X&MI_%02X" (n numbers the plug-ins,
// so two identical mice have different paths). Plugging and unplugging raise one hot-plug event per
// interface, delivered on the backend's own thread while StartHotplug is in effect.

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/HidBackend.h"
#include "sim/SimulatedDevice.h"

namespace vellomir::sim {

class SimulatedHidBackend final : public HidBackend {
public:
    SimulatedHidBackend() = default;
    ~SimulatedHidBackend() override;

    // Plugs a device in; false when it is plugged already (here or in another backend).
    bool Plug(const std::shared_ptr<SimulatedDevice>& device);
    // Unplugs it: open handles fail from now on. False when it was not plugged here.
    bool Unplug(const std::shared_ptr<SimulatedDevice>& device);
    std::vector<std::shared_ptr<SimulatedDevice>> Devices() const;
    // The path of one interface of a plugged device ("" when not plugged here).
    std::string PathOf(const SimulatedDevice& device, int interfaceNumber) const;
    // Paths in lower case, as some systems report them.
    void SetLowerCasePaths(bool on);

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;
    bool StartHotplug(HotplugListener listener) override;
    void StopHotplug() override;

private:
    struct Slot {
        std::shared_ptr<SimulatedDevice> device;
        int instance = 0;
    };

    std::string PathLocked(const Slot& slot, int interfaceNumber) const;
    void RaiseLocked(const Slot& slot, HotplugEvent::Kind kind);
    void HotplugLoop();

    mutable std::mutex mutex_;
    std::vector<Slot> slots_;
    int nextInstance_ = 1;
    bool lowerCase_ = false;

    // Hot-plug delivery (guarded by mutex_ as well).
    std::condition_variable eventsReady_;
    std::deque<HotplugEvent> events_;
    HotplugListener listener_;
    bool delivering_ = false;
    bool stopping_ = false;
    std::thread hotplugThread_;
};

}  // namespace vellomir::sim
