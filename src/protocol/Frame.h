#pragma once
// The report frame every exchange with the mouse uses (the firmware loader has its own).
//
// Request, as written to the interface (byte 0 is the report id):
//   0 report id (0) | 1 command | 2 reserved (0) | 3 packet byte | 4 length | 5..31 data | 32 checksum
// The checksum is the low byte of the sum of the 27 data bytes only. A request is written as its first
// 33 bytes or as all 65; bytes 33..64 are always zero.
//
// Reply, as read (report id 0 removed, so every offset is one lower):
//   0 report code (unsolicited reports) | 1 status, 0 = done | 4..30 reply data

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vellomir {

inline constexpr std::size_t kFrameBytes = 65;
inline constexpr std::size_t kShortRequest = 33;
inline constexpr std::size_t kLongRequest = 65;

inline constexpr std::size_t kCommandOffset = 1;
inline constexpr std::size_t kPacketOffset = 3;
inline constexpr std::size_t kLengthOffset = 4;
inline constexpr std::size_t kDataOffset = 5;
inline constexpr std::size_t kDataBytes = 27;
inline constexpr std::size_t kChecksumOffset = 32;

inline constexpr std::size_t kReplyStatusOffset = 1;
inline constexpr std::size_t kReplyDataOffset = 4;

// Packets a multi-packet transfer may have: index and count share the packet byte, four bits each.
inline constexpr int kMaxPackets = 15;

using Frame = std::array<std::uint8_t, kFrameBytes>;

// Low 8 bits of the sum of the data bytes 5..31.
std::uint8_t FrameChecksum(const Frame& frame);
// Writes FrameChecksum into byte 32.
void SealFrame(Frame& frame);

// The packet byte: index in the high nibble, packet count in the low one. Only meaningful for
// 0 <= index < count <= kMaxPackets.
constexpr std::uint8_t PacketByte(int index, int count) {
    return static_cast<std::uint8_t>(((index & 0x0F) << 4) | (count & 0x0F));
}

// A query: all zero but the command byte (packet byte, length and checksum 0).
Frame QueryFrame(std::uint8_t command);

// A request with the given packet byte and length byte and the data copied from byte 5 on, the
// checksum filled in. The length byte is what the command defines and need not equal data.size()
// (command 0x03 says 0x25 and carries 25 bytes). Returns false, leaving `out` untouched, when the data
// does not fit into the 27 data bytes.
bool BuildFrame(std::uint8_t command, std::uint8_t packet, std::uint8_t length,
                std::span<const std::uint8_t> data, Frame& out);

// Data byte n of a reply (n from 0), where the request carries the same byte at 5 + n.
inline std::uint8_t ReplyData(const Frame& reply, std::size_t n) {
    return reply[kReplyDataOffset + n];
}

}  // namespace vellomir
