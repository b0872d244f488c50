#pragma once
// One entry of a simulated device's frame log: a write the host made.

#include <chrono>
#include <cstdint>
#include <vector>

namespace vellomir::sim {

struct FrameRecord {
    int interfaceNumber = -1;
    std::chrono::steady_clock::time_point time;
    std::vector<std::uint8_t> bytes;  // exactly as written: report id first, unpadded
    bool writeFailed = false;         // Write returned -1 (injected fault); the device never saw it
};

}  // namespace vellomir::sim
