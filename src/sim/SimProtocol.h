#pragma once
// Byte-level facts of the mouse protocol as the simulated devices see them: request offsets, status
// codes and reply building. The simulator decodes frames on its own (it shares no code with the
// program's encoders), so a fault in the program's encoding shows up as a rejected or wrong frame.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellomir::sim {

// One input report as the host receives it (report id 0 already removed).
using Report = std::vector<std::uint8_t>;

// Size of the protocol interface's reports, without the report id.
inline constexpr std::size_t kReportSize = 64;
// A request as the device sees it after padding: report id plus kReportSize bytes.
inline constexpr std::size_t kRequestSize = kReportSize + 1;
inline constexpr std::size_t kDataSize = 27;

// Request offsets (byte 0 is the report id).
inline constexpr std::size_t kReqCommand = 1;
inline constexpr std::size_t kReqPacket = 3;
inline constexpr std::size_t kReqLength = 4;
inline constexpr std::size_t kReqData = 5;
inline constexpr std::size_t kReqChecksum = 32;
// Reply offsets: one lower than the request's for the same field, byte 1 is the status.
inline constexpr std::size_t kRepStatus = 1;
inline constexpr std::size_t kRepData = 4;

// Status byte of a reply. Only 0 completes a transaction on the host.
enum Status : std::uint8_t {
    kStatusOk = 0x00,
    kStatusBusy = 0x01,         // still working; the real reply follows
    kStatusNotLinked = 0x02,    // receiver: its mouse is off line
    kStatusBadChecksum = 0x03,  // byte 32 is not the low byte of the sum of bytes 5..31
    kStatusBadFrame = 0x04,     // packet or length byte not what the command defines
    kStatusUnknownCommand = 0x05,
};

// Unsolicited report codes (byte 0 of an input report).
inline constexpr std::uint8_t kDpiReportCode = 0xC2;
inline constexpr std::uint8_t kLinkReportCode = 0xC0;

using Data = std::array<std::uint8_t, kDataSize>;

// Low 8 bits of the sum of the 27 data bytes of a request.
std::uint8_t DataChecksum(const std::uint8_t* request);

// True when `command` is one of the queries (0x10 and up): all-zero frame apart from the command.
bool IsQuery(std::uint8_t command);

// A reply report: command echo, status, packet 0x01, length, the data and their checksum.
Report MakeReply(std::uint8_t command, std::uint8_t status, const std::uint8_t* data = nullptr,
                 std::size_t dataLength = 0);
inline Report MakeReply(std::uint8_t command, const Data& data, std::size_t dataLength) {
    return MakeReply(command, kStatusOk, data.data(), dataLength);
}

// The checks every receiving end makes before acting on a request: the checksum, then for a query
// packet and length 0, for a setting the packet byte 0x01. Returns kStatusOk or the status to answer.
std::uint8_t CheckRequest(const std::uint8_t* request);

}  // namespace vellomir::sim
