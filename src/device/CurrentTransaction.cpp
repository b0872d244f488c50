#include "device/CurrentTransaction.h"

#include "device/DeviceManager.h"

namespace vellomir {
namespace {

std::shared_ptr<DeviceHandle> ReadyCurrentHandle() {
    DeviceManager& manager = DeviceManager::Instance();
    if (!manager.IsReady()) return nullptr;
    return manager.GetCurrentHandle();
}

}  // namespace

bool Transact(Frame& frame, std::size_t length) {
    const std::shared_ptr<DeviceHandle> handle = ReadyCurrentHandle();
    return handle && Transact(handle.get(), frame, length);
}

ChunkedResult SendChunked(std::uint8_t command, std::span<const std::uint8_t> payload) {
    const std::shared_ptr<DeviceHandle> handle = ReadyCurrentHandle();
    if (!handle) return ChunkedResult{.refused = true};
    return SendChunked(handle.get(), command, payload);
}

}  // namespace vellomir
