#include "protocol/Request.h"

namespace vellomir {

Request MakeWriteRequest(std::uint8_t command, std::uint8_t lengthByte, std::size_t frameSize) {
    Request request;
    request.length = frameSize;
    request.frame[1] = command;
    request.frame[3] = 0x01;
    request.frame[4] = lengthByte;
    return request;
}

Request MakeQuery(std::uint8_t command) {
    Request request;
    request.frame[1] = command;
    return request;
}

}  // namespace vellomir
