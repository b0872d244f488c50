#include "protocol/DeviceExchange.h"

#include "common/Trace.h"
#include "device/CurrentTransaction.h"

namespace vellomir {

bool SendRequest(const Request& request) {
    Frame frame = request.frame;
    if (Transact(frame, request.length)) return true;
    Trace("command %02X failed", request.command());
    return false;
}

std::optional<Frame> QueryDevice(std::uint8_t command) {
    Frame frame = QueryFrame(command);
    if (Transact(frame, kShortRequest)) return frame;
    Trace("query %02X failed", command);
    return std::nullopt;
}

}  // namespace vellomir
