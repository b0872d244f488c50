#pragma once
// What makes one simulated mouse model: the identity it reports in its info block and the settings a
// factory reset brings back.

#include <array>
#include <cstdint>
#include <string>

namespace vellomir::sim {

struct MouseModel {
    std::string deviceId = "ARC1";    // up to four characters, info bytes 4..7
    std::uint8_t sensorCode = 0x35;   // info byte 10
    std::uint8_t rateCapability = 0;  // info byte 11 (0x40: up to 8000 Hz)
    std::uint8_t batteryA = 0;        // info byte 12
    std::uint8_t batteryB = 0;        // info byte 13

    // Factory settings.
    std::uint8_t reportRate = 0x01;  // 1000 Hz
    std::uint8_t dpiIndex = 1;
    std::uint8_t dpiCount = 4;
    std::array<std::uint16_t, 6> dpiCodes{4, 8, 16, 32, 64, 120};  // sensor codes of the stages
    std::array<std::uint32_t, 6> dpiColours{0xFF0000, 0x00FF00, 0x0000FF,
                                            0xFFFF00, 0x00FFFF, 0xFF00FF};  // 0xRRGGBB
    std::uint8_t lightMode = 1;
    std::uint8_t lightBrightness = 3;
    std::uint8_t lightSpeed = 2;
    std::uint8_t liftoffHeight = 1;
    std::array<std::uint8_t, 3> sensorOptions{0, 1, 0};
    std::array<std::uint8_t, 4> power{10, 1, 1, 4};  // sleep, move wake-up, move light-off, response
};

}  // namespace vellomir::sim
