#pragma once
// Report-rate codes (one bit per rate) and the list the performance page offers for a mouse.

#include <cstdint>
#include <span>

namespace vellomir {

struct ReportRateItem {
    const char* text;
    int code;
    std::uint32_t colour;
};

// From info byte 11 (the highest rate the mouse supports): 7 for 0x40, 6 for 0x20, 5 for 0x10, else 4.
int ReportRateCapability(std::uint8_t highestRateByte);

// The items offered: up to "1000Hz", and the three faster rates only with capability 7.
std::span<const ReportRateItem> ReportRateItems(int capability);

}  // namespace vellomir
