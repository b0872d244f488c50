#include "sim/PacketAssembler.h"

namespace vellomir::sim {

namespace {
constexpr std::uint8_t kFullPacket = 27;
}

PacketAssembler::Result PacketAssembler::Add(std::uint8_t packetByte, const std::uint8_t* data,
                                             std::uint8_t length) {
    const int index = packetByte >> 4;
    const int count = packetByte & 0x0F;
    const bool last = index == count - 1;
    const bool sane =
        count > 0 && index < count && length > 0 && length <= kFullPacket && (last || length == kFullPacket);
    if (index == 0 && sane) {
        active_ = true;
        count_ = count;
        next_ = 0;
        payload_.clear();
    }
    if (!sane || !active_ || count != count_ || index != next_) {
        active_ = false;
        payload_.clear();
        return Result::kError;
    }
    payload_.insert(payload_.end(), data, data + length);
    ++next_;
    if (!last) return Result::kMore;
    active_ = false;
    return Result::kComplete;
}

}  // namespace vellomir::sim
