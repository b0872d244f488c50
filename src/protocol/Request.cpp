#include "protocol/Request.h"

namespace vellomir {

Request MakeWriteRequest(std::uint8_t command, std::uint8_t lengthByte, std::size_t frameSize) {
    Request request;
    request.length = frameSize;
    request.frame[kCommandOffset] = command;
    request.frame[kPacketOffset] = 0x01;
    request.frame[kLengthOffset] = lengthByte;
    return request;
}

Request MakeQuery(std::uint8_t command) {
    Request request;
    request.frame = QueryFrame(command);
    return request;
}

}  // namespace vellomir
