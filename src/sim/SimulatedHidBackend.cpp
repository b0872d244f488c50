#include "sim/SimulatedHidBackend.h"

#include <algorithm>

#include "common/Text.h"

namespace vellomir::sim {

SimulatedHidBackend::~SimulatedHidBackend() {
    StopHotplug();
    std::vector<Slot> slots;
    {
        std::lock_guard lock(mutex_);
        slots.swap(slots_);
    }
    for (auto& slot : slots)
        slot.device->Detach();
}

std::string SimulatedHidBackend::PathLocked(const Slot& slot, int interfaceNumber) const {
    const auto& usb = slot.device->Usb();
    std::string path = StrFormat("sim/%d/VID_%04X&PID_%04X&MI_%02X", slot.instance, usb.vendorId,
                                 usb.productId, interfaceNumber);
    return lowerCase_ ? ToLowerAscii(path) : path;
}

bool SimulatedHidBackend::Plug(const std::shared_ptr<SimulatedDevice>& device) {
    if (!device || !device->Attach()) return false;
    std::lock_guard lock(mutex_);
    slots_.push_back(Slot{device, nextInstance_++});
    RaiseLocked(slots_.back(), HotplugEvent::kArrival);
    return true;
}

bool SimulatedHidBackend::Unplug(const std::shared_ptr<SimulatedDevice>& device) {
    {
        std::lock_guard lock(mutex_);
        auto it =
            std::find_if(slots_.begin(), slots_.end(), [&](const Slot& s) { return s.device == device; });
        if (it == slots_.end()) return false;
        RaiseLocked(*it, HotplugEvent::kRemoval);
        slots_.erase(it);
    }
    device->Detach();
    return true;
}

std::vector<std::shared_ptr<SimulatedDevice>> SimulatedHidBackend::Devices() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<SimulatedDevice>> out;
    for (const auto& slot : slots_)
        out.push_back(slot.device);
    return out;
}

std::string SimulatedHidBackend::PathOf(const SimulatedDevice& device, int interfaceNumber) const {
    std::lock_guard lock(mutex_);
    for (const auto& slot : slots_) {
        if (slot.device.get() == &device) return PathLocked(slot, interfaceNumber);
    }
    return {};
}

void SimulatedHidBackend::SetLowerCasePaths(bool on) {
    std::lock_guard lock(mutex_);
    lowerCase_ = on;
}

std::vector<HidInterfaceInfo> SimulatedHidBackend::Enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> list;
    for (const auto& slot : slots_) {
        const auto& usb = slot.device->Usb();
        for (const auto& iface : slot.device->Interfaces()) {
            HidInterfaceInfo info;
            info.path = PathLocked(slot, iface.number);
            info.vendorId = usb.vendorId;
            info.productId = usb.productId;
            info.releaseNumber = usb.releaseNumber;
            info.interfaceNumber = iface.number;
            info.usagePage = iface.usagePage;
            info.usage = iface.usage;
            list.push_back(std::move(info));
        }
    }
    return list;
}

std::unique_ptr<HidDevice> SimulatedHidBackend::OpenPath(const std::string& path) {
    std::shared_ptr<SimulatedDevice> device;
    int interfaceNumber = -1;
    {
        std::lock_guard lock(mutex_);
        for (const auto& slot : slots_) {
            for (const auto& iface : slot.device->Interfaces()) {
                if (PathLocked(slot, iface.number) == path) {
                    device = slot.device;
                    interfaceNumber = iface.number;
                }
            }
        }
    }
    return device ? device->Open(interfaceNumber) : nullptr;
}

void SimulatedHidBackend::RaiseLocked(const Slot& slot, HotplugEvent::Kind kind) {
    if (!delivering_) return;
    for (const auto& iface : slot.device->Interfaces()) {
        HotplugEvent event;
        event.kind = kind;
        event.path = PathLocked(slot, iface.number);
        if (kind == HotplugEvent::kArrival) {
            event.usageKnown = true;
            event.usagePage = iface.usagePage;
            event.usage = iface.usage;
        }
        events_.push_back(std::move(event));
    }
    eventsReady_.notify_one();
}

bool SimulatedHidBackend::StartHotplug(HotplugListener listener) {
    if (!listener) return false;
    {
        std::lock_guard lock(mutex_);
        if (delivering_) return false;
    }
    StopHotplug();  // joins a loop that a listener stopped from inside
    std::lock_guard lock(mutex_);
    if (delivering_ || hotplugThread_.joinable()) return false;
    listener_ = std::move(listener);
    delivering_ = true;
    stopping_ = false;
    hotplugThread_ = std::thread([this] { HotplugLoop(); });
    return true;
}

void SimulatedHidBackend::StopHotplug() {
    std::thread thread;
    {
        std::lock_guard lock(mutex_);
        delivering_ = false;
        stopping_ = true;
        events_.clear();
        // Called by the listener itself: the loop ends when the listener returns and is joined by
        // the next StartHotplug or StopHotplug from another thread.
        if (hotplugThread_.get_id() == std::this_thread::get_id()) return;
        thread.swap(hotplugThread_);
    }
    eventsReady_.notify_all();
    if (thread.joinable()) thread.join();
}

void SimulatedHidBackend::HotplugLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        eventsReady_.wait(lock, [this] { return stopping_ || !events_.empty(); });
        if (stopping_) break;
        HotplugEvent event = std::move(events_.front());
        events_.pop_front();
        HotplugListener listener = listener_;
        lock.unlock();
        listener(event);
        lock.lock();
    }
}

}  // namespace vellomir::sim
