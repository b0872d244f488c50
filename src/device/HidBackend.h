#pragma once
// The one seam between the program and HID. HidapiBackend talks to real interfaces through hidapi;
// SimulatedHidBackend (src/sim) answers with virtual devices. Everything above this file is the same
// for both.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vellomir {

// One HID interface (top-level collection) as enumeration reports it.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t releaseNumber = 0;  // bcdDevice
    int interfaceNumber = -1;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
};

// An open interface. Destroying it closes it.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    // data[0] is the report id (0 when the interface does not number its reports). A buffer shorter
    // than the interface's output report is padded with zeros. Returns the bytes written, or -1.
    virtual int Write(const std::uint8_t* data, std::size_t length) = 0;
    // Waits up to timeoutMs for one input report (-1 waits for ever). Report id 0 is removed, so the
    // buffer starts with the first data byte; at most `length` bytes are copied. Returns the byte
    // count, 0 when nothing arrived in time, -1 on an error. A report that arrives after a read timed
    // out is kept for the next read: nothing is lost between calls.
    virtual int ReadTimeout(std::uint8_t* buffer, std::size_t length, int timeoutMs) = 0;
};

// A device arrival or removal. The kinds keep the values of the notifications they replace.
struct HotplugEvent {
    enum Kind : int { kArrival = 0x8000, kRemoval = 0x8004 };
    Kind kind = kArrival;
    // Holds "VID_%04X&PID_%04X&MI_%02X" of the interface (any letter case), so the catalogue patterns
    // match it.
    std::string path;
    // Usage pair of an arrived interface; usageKnown is false when it could not be read.
    bool usageKnown = false;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
};

class HidBackend {
public:
    using HotplugListener = std::function<void(const HotplugEvent&)>;

    virtual ~HidBackend() = default;
    // The full list of HID interfaces of the machine (hid_enumerate(0, 0)).
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens an interface for reading and writing; nullptr on failure.
    virtual std::unique_ptr<HidDevice> OpenPath(const std::string& path) = 0;
    // Starts delivering hot-plug events to the listener, on a thread of the backend's own; the
    // listener must hand them on quickly (post them to the UI thread). Returns false when no event
    // source is available. StopHotplug() returns once no listener call is running any more.
    virtual bool StartHotplug(HotplugListener listener) = 0;
    virtual void StopHotplug() = 0;
};

}  // namespace vellomir
