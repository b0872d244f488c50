#pragma once
// Reassembles a multi-packet transfer: packet byte = index (high nibble) and count (low nibble),
// length byte = data bytes in this packet (27 in every packet but the last).

#include <cstdint>
#include <optional>
#include <vector>

namespace vellomir::sim {

class PacketAssembler {
public:
    enum class Result { kMore, kComplete, kError };

    // Adds one packet. kError drops the transfer in progress; the next packet must start anew.
    Result Add(std::uint8_t packetByte, const std::uint8_t* data, std::uint8_t length);
    // The payload of the transfer that just completed (valid after kComplete until the next Add).
    const std::vector<std::uint8_t>& Payload() const { return payload_; }

private:
    bool active_ = false;
    int count_ = 0;
    int next_ = 0;
    std::vector<std::uint8_t> payload_;
};

}  // namespace vellomir::sim
