#include "sim/SimProtocol.h"

#include <algorithm>

namespace vellomir::sim {

std::uint8_t DataChecksum(const std::uint8_t* request) {
    unsigned sum = 0;
    for (std::size_t i = kReqData; i < kReqData + kDataSize; ++i)
        sum += request[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

bool IsQuery(std::uint8_t command) {
    return command >= 0x10;
}

Report MakeReply(std::uint8_t command, std::uint8_t status, const std::uint8_t* data,
                 std::size_t dataLength) {
    Report reply(kReportSize, 0);
    reply[0] = command;
    reply[kRepStatus] = status;
    reply[2] = 0x01;
    dataLength = std::min(dataLength, kDataSize);
    reply[3] = static_cast<std::uint8_t>(dataLength);
    unsigned sum = 0;
    for (std::size_t i = 0; i < dataLength; ++i) {
        reply[kRepData + i] = data[i];
        sum += data[i];
    }
    reply[kRepData + kDataSize] = static_cast<std::uint8_t>(sum & 0xFF);
    return reply;
}

std::uint8_t CheckRequest(const std::uint8_t* request) {
    if (DataChecksum(request) != request[kReqChecksum]) return kStatusBadChecksum;
    if (IsQuery(request[kReqCommand])) {
        if (request[kReqPacket] != 0 || request[kReqLength] != 0) return kStatusBadFrame;
    }
    return kStatusOk;
}

}  // namespace vellomir::sim
