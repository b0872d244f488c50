#pragma once
// The HID backend over the system hidapi (hidraw) and a udev monitor for hot-plug events.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "device/HidBackend.h"

namespace vellomir {

class UdevMonitor;

class HidapiBackend final : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;

    // hid_enumerate(0, 0). Empty when hidapi cannot be initialised (retried at every call).
    std::vector<HidInterfaceInfo> Enumerate() override;
    // hid_open_path. Writes shorter than the interface's output report are padded with zeros, as the
    // seam promises; hidraw itself sends exactly what it is given.
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;
    // Hot-plug events from udev (hidraw nodes added and removed).
    bool StartHotplug(HotplugListener listener) override;
    void StopHotplug() override;

private:
    std::mutex hotplugMutex_;
    std::unique_ptr<UdevMonitor> monitor_;
};

// Data bytes of each output report of a hidraw node ("/dev/hidrawN") by report id, read from its report
// descriptor in sysfs; empty when unknown.
std::map<std::uint8_t, std::size_t> HidrawOutputReports(const std::string& devnode);

}  // namespace vellomir
