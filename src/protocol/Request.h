#pragma once
// A request to the mouse before it goes through the transaction: the 65-byte frame (byte 0 report id
// 0, byte 1 command, byte 2 reserved, byte 3 packet byte, byte 4 length, data from byte 5; the
// checksum in byte 32 is filled in when it is sent) and how many of its bytes are written.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vellomir {

inline constexpr std::size_t kFrameBufferSize = 65;
inline constexpr std::size_t kShortFrame = 33;
inline constexpr std::size_t kLongFrame = 65;
inline constexpr std::size_t kRequestDataOffset = 5;  // data byte n of a command stands at 5 + n
inline constexpr std::size_t kReplyDataOffset = 4;    // and at 4 + n in its reply
inline constexpr std::size_t kCommandDataSize = 27;

struct Request {
    std::array<std::uint8_t, kFrameBufferSize> frame{};
    std::size_t length = kShortFrame;

    std::uint8_t command() const { return frame[1]; }
    std::uint8_t dataLength() const { return frame[4]; }
    std::span<const std::uint8_t> data() const {
        return std::span<const std::uint8_t>(frame).subspan(kRequestDataOffset, kCommandDataSize);
    }
};

// A write request: packet byte 0x01, the given length byte and frame size; data zero-filled.
Request MakeWriteRequest(std::uint8_t command, std::uint8_t lengthByte, std::size_t frameSize);
// A query: everything zero but the command byte; written as 33 bytes.
Request MakeQuery(std::uint8_t command);

}  // namespace vellomir
