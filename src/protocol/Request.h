#pragma once
// A request to the mouse before it goes through the transaction: the frame (byte 0 report id 0, byte 1
// command, byte 2 reserved, byte 3 packet byte, byte 4 length, data from byte 5; the checksum is filled
// in when it is sent) and how many of its bytes are written.

#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/Frame.h"

namespace vellomir {

struct Request {
    Frame frame{};
    std::size_t length = kShortRequest;

    std::uint8_t command() const { return frame[kCommandOffset]; }
    std::uint8_t dataLength() const { return frame[kLengthOffset]; }
    std::span<const std::uint8_t> data() const {
        return std::span<const std::uint8_t>(frame).subspan(kDataOffset, kDataBytes);
    }
};

// A write request: packet byte 0x01, the given length byte and frame size; data zero-filled.
Request MakeWriteRequest(std::uint8_t command, std::uint8_t lengthByte, std::size_t frameSize);
// A query: everything zero but the command byte; written as 33 bytes.
Request MakeQuery(std::uint8_t command);

}  // namespace vellomir
