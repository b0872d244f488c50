#pragma once
// Watches udev for hidraw nodes coming and going and reports them as hot-plug events, on a thread of
// its own. An arrival names the node's USB ids and carries the usage pair of its first top-level
// collection (from the report descriptor); a removal names the ids the node had.

#include <map>
#include <string>
#include <thread>

#include "device/HidBackend.h"

struct udev;
struct udev_device;
struct udev_monitor;

namespace vellomir {

class UdevMonitor {
public:
    UdevMonitor() = default;
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // False when udev or its monitor socket is not available, or when already started.
    bool Start(HidBackend::HotplugListener listener);
    // Ends the thread; returns once no listener call is running any more. Safe to call twice.
    void Stop();

private:
    void Run();
    void Remember(udev_device* device);
    HotplugEvent ArrivalOf(udev_device* device);
    HotplugEvent RemovalOf(udev_device* device);
    void Release();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    int wakeFd_ = -1;
    std::thread thread_;
    HidBackend::HotplugListener listener_;
    // syspath -> event path of the nodes present, so a removal can be named after the node is gone.
    // Used by the monitor thread only (and by Start before the thread exists).
    std::map<std::string, std::string> known_;
};

}  // namespace vellomir
