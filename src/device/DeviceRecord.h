#pragma once
// The plain records of device discovery: what the catalogue says we support, and one record per
// opened HID interface.

#include <cstdint>
#include <memory>
#include <string>

#include "device/DeviceHandle.h"
#include "protocol/Transaction.h"

namespace vellomir {

// dev_mode values.
inline constexpr int kModeCable = 0;
inline constexpr int kModeReceiver = 1;

// Link state of a record.
inline constexpr int kLinkOffline = 0;      // the receiver reported its mouse gone
inline constexpr int kLinkOnline = 1;       // set when the record is created
inline constexpr int kLinkPollOffline = 2;  // the link poll found the mouse gone

// Connection kind of the current device type.
inline constexpr int kConnectionNone = -1;
inline constexpr int kConnectionCable = 0;
inline constexpr int kConnectionReceiver = 1;

// The device type standing for every mouse behind a vendor/product pair whose catalogue entry has no
// usable device id (typically a receiver).
inline constexpr int kReceiverDeviceType = 101;

struct VidPid {
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
    bool operator==(const VidPid&) const = default;
};

// One mode of a catalogue model, in catalogue order.
struct SupportedDevice {
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
    int deviceType = 0;
    int mode = kModeCable;
    std::string deviceId;  // may be empty
};

// One opened interface. The DeviceManager owns the live records; callers get copies, which stay
// valid for reading after a rescan. The handle of a copy is shared with the live record and is
// closed when that record is destroyed (the next rescan); after that it answers every call with -1.
struct DeviceRecord {
    std::uint64_t id = 0;  // unique in the process: a copy from an earlier scan never names a new record
    std::string path;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::shared_ptr<DeviceHandle> handle;
    std::uint32_t release_number = 0;
    int dev_type = 0;
    int dev_mode = kModeCable;
    int link_state = kLinkOnline;
    std::string device_id;  // empty until the info query succeeded
    InfoBlock info{};
};

}  // namespace vellomir
