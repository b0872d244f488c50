#pragma once
// Exchanges with the current device (DeviceManager::GetCurrentHandle). Device worker only.

#include <cstdint>
#include <span>

#include "protocol/Frame.h"
#include "protocol/Transaction.h"

namespace vellomir {

// Transact on the current device. False, with nothing sent, while the manager is not ready or no
// current device can be talked to.
bool Transact(Frame& frame, std::size_t length);

// SendChunked on the current device; refused (nothing sent) while there is none.
ChunkedResult SendChunked(std::uint8_t command, std::span<const std::uint8_t> payload);

}  // namespace vellomir
