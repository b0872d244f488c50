#include "protocol/ReportRates.h"

#include <array>

namespace vellomir {

namespace {
constexpr std::array<ReportRateItem, 7> kItems{{
    {"125Hz", 8, 0x0108F1},
    {"250Hz", 4, 0xED6B00},
    {"500Hz", 2, 0x4DF600},
    {"1000Hz", 1, 0x20A3FF},
    {"2000Hz", 0x10, 0xC9012B},
    {"4000Hz", 0x20, 0xFFFF00},
    {"8000Hz", 0x40, 0xFFFFFF},
}};
}  // namespace

int ReportRateCapability(std::uint8_t highestRateByte) {
    switch (highestRateByte) {
        case 0x40:
            return 7;
        case 0x20:
            return 6;
        case 0x10:
            return 5;
        default:
            return 4;
    }
}

std::span<const ReportRateItem> ReportRateItems(int capability) {
    const std::span<const ReportRateItem> all(kItems);
    return capability == 7 ? all : all.first(4);
}

}  // namespace vellomir
