#pragma once
// One request and its reply on an open interface. Only the device worker talks to the mouse, one
// exchange at a time; these functions keep no state between calls.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/HidBackend.h"
#include "protocol/Frame.h"

namespace vellomir {

// A transaction reads at most this many times, waiting up to kReplyReadMs each time (about 1.5 s).
inline constexpr int kReplyReads = 50;
inline constexpr int kReplyReadMs = 30;

// Writes the request and waits for its reply:
//  - fills in the checksum (byte 32 of `frame`);
//  - writes the first `length` bytes (33 or 65); fails at once when nothing was written;
//  - reads up to kReplyReads input reports of at most `length` bytes; the first one whose status
//    byte (offset 1) is 0 is the reply, whatever its command or checksum. Busy replies, unrelated
//    reports and timed-out reads each use up one attempt.
// Afterwards the first `length` bytes of `frame` hold the reply on success; on a time-out they hold
// the request, or the last report that arrived with a non-zero status. Bytes from `length` on are left
// as they were. Nothing is sent, and false is returned, when `device` is null or `length` is neither
// 33 nor 65.
bool Transact(HidDevice* device, Frame& frame, std::size_t length);

// The info block: the reply to the info query (up to 33 bytes as received, the rest zero).
using InfoBlock = std::array<std::uint8_t, kFrameBytes>;
inline constexpr std::uint8_t kInfoQuery = 0x10;
inline constexpr std::size_t kInfoDeviceIdOffset = 4;
inline constexpr std::size_t kInfoDeviceIdBytes = 4;

// Sends the info query (a 33-byte query frame) on `device` and waits as Transact does. On success the
// reply is stored in `info`; on failure `info` is left unchanged.
bool QueryInfo(HidDevice* device, InfoBlock& info);

// Outcome of a multi-packet transfer.
struct ChunkedResult {
    bool refused = false;  // nothing sent: empty payload, or more than kMaxPackets packets needed
    int packets = 0;       // packets sent
    int failed = 0;        // of those, packets whose transaction failed
    bool ok() const { return !refused && failed == 0; }
};

// Packets a payload of `length` bytes is cut into; 0 when it cannot be sent (empty, or more than
// kMaxPackets packets).
int ChunkedPacketCount(std::size_t length);

// Sends `payload` with `command`, each packet a 33-byte Transact. Up to 25 bytes go in one packet
// (packet byte 0x01, length = payload size); longer payloads are cut into packets of 27 data bytes,
// packet i carrying PacketByte(i, count) and the length 27, or the remainder for a short last packet.
// A failed packet does not stop the transfer. Payloads needing more than kMaxPackets packets (more
// than 405 bytes) cannot be numbered in the packet byte and are refused without sending anything.
ChunkedResult SendChunked(HidDevice* device, std::uint8_t command, std::span<const std::uint8_t> payload);

}  // namespace vellomir
