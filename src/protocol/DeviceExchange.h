#pragma once
// Sending the protocol's requests to the current device: one transaction each, traced on failure.

#include <optional>

#include "protocol/Frame.h"
#include "protocol/Request.h"

namespace vellomir {

// True when the mouse acknowledged the request.
bool SendRequest(const Request& request);
// The reply to a query, or nothing when the transaction failed.
std::optional<Frame> QueryDevice(std::uint8_t command);

}  // namespace vellomir
