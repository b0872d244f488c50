#include "device/DeviceHandle.h"

namespace vellomir {

int DeviceHandle::Write(const std::uint8_t* data, std::size_t length) {
    std::lock_guard lock(mutex_);
    return device_ ? device_->Write(data, length) : -1;
}

int DeviceHandle::ReadTimeout(std::uint8_t* buffer, std::size_t length, int timeoutMs) {
    std::lock_guard lock(mutex_);
    return device_ ? device_->ReadTimeout(buffer, length, timeoutMs) : -1;
}

void DeviceHandle::Close() {
    std::unique_ptr<HidDevice> closing;
    {
        std::lock_guard lock(mutex_);
        closing = std::move(device_);
    }
    // Destroying the device closes it, outside the lock.
}

bool DeviceHandle::IsOpen() const {
    std::lock_guard lock(mutex_);
    return device_ != nullptr;
}

}  // namespace vellomir
