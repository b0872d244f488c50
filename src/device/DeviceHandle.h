#pragma once
// An open interface that can be closed while others still hold it. A record's handle is closed when
// the record is destroyed at a rescan; anyone who kept it then gets -1 from every call instead of
// talking to an interface that is no longer theirs.

#include <memory>
#include <mutex>

#include "device/HidBackend.h"

namespace vellomir {

class DeviceHandle final : public HidDevice {
public:
    explicit DeviceHandle(std::unique_ptr<HidDevice> device) : device_(std::move(device)) {}

    int Write(const std::uint8_t* data, std::size_t length) override;
    int ReadTimeout(std::uint8_t* buffer, std::size_t length, int timeoutMs) override;

    // Closes the interface; later calls fail with -1. Waits for a call in progress to end.
    void Close();
    bool IsOpen() const;

private:
    mutable std::mutex mutex_;
    std::unique_ptr<HidDevice> device_;
};

}  // namespace vellomir
