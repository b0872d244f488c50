#include "protocol/Frame.h"

#include <algorithm>

namespace vellomir {

std::uint8_t FrameChecksum(const Frame& frame) {
    unsigned sum = 0;
    for (std::size_t i = kDataOffset; i < kDataOffset + kDataBytes; ++i)
        sum += frame[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

void SealFrame(Frame& frame) {
    frame[kChecksumOffset] = FrameChecksum(frame);
}

Frame QueryFrame(std::uint8_t command) {
    Frame frame{};
    frame[kCommandOffset] = command;
    return frame;
}

bool BuildFrame(std::uint8_t command, std::uint8_t packet, std::uint8_t length,
                std::span<const std::uint8_t> data, Frame& out) {
    if (data.size() > kDataBytes) return false;
    Frame frame{};
    frame[kCommandOffset] = command;
    frame[kPacketOffset] = packet;
    frame[kLengthOffset] = length;
    std::copy(data.begin(), data.end(), frame.begin() + kDataOffset);
    SealFrame(frame);
    out = frame;
    return true;
}

}  // namespace vellomir
