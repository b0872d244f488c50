#include "protocol/DpiTables.h"

#include <algorithm>

namespace vellomir {

SensorDpiRange SensorDpiRangeFor(int sensor, DpiTableVariant variant) {
    const bool linkUp = variant == DpiTableVariant::kLinkUp;
    switch (sensor) {
        case 0x04:
            return {100, 8000, 80, 0};
        case 0x05:
            return {50, 12000, linkUp ? 184 : 183, 0};
        case 0x10:
        case 0x12:
            return {100, 4800, 48, 0};
        case 0x11:
            return linkUp ? SensorDpiRange{50, 24000, 232, 0} : SensorDpiRange{100, 12000, 220, 0};
        case 0x19:
            if (linkUp) break;  // no row of its own in the link-up table
            return {100, 30000, 173, 0};
        case 0x25:
            return {100, 10000, 60, 0};
        case 0x26:
            return {200, 10000, 59, 0};
        case 0x35:
            return {100, 16000, 160, 0};
        case 0x95:
            return {100, 26000, 520, 2};
        default:
            break;
    }
    return {50, 26000, 520, 0};
}

int ClampDpi(const SensorDpiRange& range, int dpi) {
    if (dpi < range.lowest) return range.lowest;
    if (dpi > range.highest) return range.highest;
    return dpi;
}

int DpiToSlider(int sensor, int dpi) {
    switch (sensor) {
        case 0x11:
            return dpi > 9999 ? (dpi - 10000) / 100 + 200 : dpi / 50;
        case 0x05:
            return dpi > 6400 ? (dpi - 6400) / 100 + 128 : dpi / 50;
        case 0x25:
            return dpi > 5000 ? (dpi - 5000) / 500 + 50 : dpi / 100;
        case 0x26:
            return dpi > 5000 ? (dpi - 5000) / 500 + 50 : dpi / 100 - 1;
        case 0x19:
            // The inverse of SliderToDpi for this sensor: steps of 100 up to 16000, then of 1000, so
            // that the whole range fits the 0x19 slider.
            return dpi >= 16000 ? (dpi - 16000) / 1000 + 160 : dpi / 100;
        case 0x04:
        case 0x10:
        case 0x12:
        case 0x35:
            return dpi / 100;
        case 0x95:
            return dpi / 50 - 1;
        default:
            return dpi / 50;
    }
}

int SliderToDpi(int sensor, int p) {
    switch (sensor) {
        case 0x11: {
            const int dpi = p * 50 >= 10000 ? (p - 100) * 100 : p * 50;
            return std::min(dpi, 12000);
        }
        case 0x04:
            return std::min(p * 100, 8000);
        case 0x05:
            return std::min(p > 128 ? (p - 64) * 100 : p * 50, 12000);
        case 0x10:
        case 0x12:
            return std::min(p * 100, 4800);
        case 0x25:
            return std::min(p * 100 > 5000 ? (p - 40) * 500 : p * 100, 10000);
        case 0x26:
            return std::min((p + 1) * 100 < 5000 ? (p + 1) * 100 : (p - 39) * 500, 10000);
        case 0x19:
            return std::min(p * 100 >= 16000 ? (p - 144) * 1000 : p * 100, 30000);
        case 0x35:
            return std::min(p * 100, 16000);
        default:
            return std::min(p * 50, 26000);
    }
}

int SnapDpi(int sensor, int typed) {
    const int r50 = typed / 50 * 50;
    const int r100 = typed / 100 * 100;
    switch (sensor) {
        case 0x11:
        case 0x05:
            return std::clamp(r50, 50, 12000);
        case 0x04:
            return std::clamp(r100, 100, 8000);
        case 0x10:
        case 0x12:
            return std::clamp(r100, 100, 4800);
        case 0x25:
            if (typed < 100) return 100;
            if (typed <= 5000) return r100;
            return std::min((typed - 5000) / 1000 * 1000 + 5000, 10000);
        case 0x26:
            return std::clamp(r100, 200, 10000);
        case 0x35:
            return std::clamp(r100, 100, 16000);
        default:
            return std::clamp(r50, 50, 26000);
    }
}

}  // namespace vellomir
