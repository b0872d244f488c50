#include "protocol/Transaction.h"

#include <algorithm>
#include <string>

#include "common/Text.h"
#include "common/Trace.h"

namespace vellomir {
namespace {

constexpr std::size_t kSinglePacketMax = 25;

std::string HexBytes(const std::uint8_t* data, std::size_t length) {
    std::string text;
    text.reserve(length * 3);
    for (std::size_t i = 0; i < length; ++i)
        text += StrFormat(i == 0 ? "%02X" : " %02X", data[i]);
    return text;
}

// Writes `length` bytes of `request` and reads into `reply` (same length) until a report with status 0
// arrives. `reply` must hold the request on entry: it keeps it when nothing arrives.
bool Exchange(HidDevice& device, const std::uint8_t* request, std::uint8_t* reply, std::size_t length) {
    if (TraceEnabled()) Trace("hid write %s", HexBytes(request, length).c_str());
    if (device.Write(request, length) < 1) {
        Trace("hid write failed, command %02X", request[kCommandOffset]);
        return false;
    }
    for (int attempt = 0; attempt < kReplyReads; ++attempt) {
        const int got = device.ReadTimeout(reply, length, kReplyReadMs);
        if (got <= 0) continue;
        if (TraceEnabled()) Trace("hid read %s", HexBytes(reply, static_cast<std::size_t>(got)).c_str());
        if (got > static_cast<int>(kReplyStatusOffset) && reply[kReplyStatusOffset] == 0) return true;
    }
    Trace("hid no reply, command %02X", request[kCommandOffset]);
    return false;
}

}  // namespace

bool Transact(HidDevice* device, Frame& frame, std::size_t length) {
    if (device == nullptr || (length != kShortRequest && length != kLongRequest)) return false;
    SealFrame(frame);
    Frame work = frame;
    const bool ok = Exchange(*device, frame.data(), work.data(), length);
    std::copy_n(work.begin(), length, frame.begin());
    return ok;
}

bool QueryInfo(HidDevice* device, InfoBlock& info) {
    if (device == nullptr) return false;
    const Frame request = QueryFrame(kInfoQuery);
    InfoBlock reply{};
    reply = request;
    if (!Exchange(*device, request.data(), reply.data(), kShortRequest)) return false;
    std::fill(reply.begin() + kShortRequest, reply.end(), std::uint8_t{0});
    info = reply;
    return true;
}

int ChunkedPacketCount(std::size_t length) {
    if (length == 0) return 0;
    if (length <= kSinglePacketMax) return 1;
    const std::size_t count = (length + kDataBytes - 1) / kDataBytes;
    return count > static_cast<std::size_t>(kMaxPackets) ? 0 : static_cast<int>(count);
}

ChunkedResult SendChunked(HidDevice* device, std::uint8_t command, std::span<const std::uint8_t> payload) {
    ChunkedResult result;
    const int count = ChunkedPacketCount(payload.size());
    if (count == 0) {
        Trace("SendChunked refused: command %02X, %zu bytes", command, payload.size());
        result.refused = true;
        return result;
    }
    // A payload that fits one packet carries its own length; otherwise every packet but a short last
    // one carries 27 bytes (so 26 or 27 bytes also go as one packet, with the packet byte 0x01).
    const std::size_t step = payload.size() <= kSinglePacketMax ? payload.size() : kDataBytes;
    for (int i = 0; i < count; ++i) {
        const auto chunk =
            payload.subspan(static_cast<std::size_t>(i) * step,
                            std::min(step, payload.size() - static_cast<std::size_t>(i) * step));
        Frame frame{};
        BuildFrame(command, PacketByte(i, count), static_cast<std::uint8_t>(chunk.size()), chunk, frame);
        ++result.packets;
        if (!Transact(device, frame, kShortRequest)) {
            ++result.failed;
            Trace("SendChunked: packet %d of %d failed, command %02X", i + 1, count, command);
        }
    }
    return result;
}

}  // namespace vellomir
