#include "protocol/DpiCodes.h"

namespace vellomir {

int DpiToCode(int sensor, int dpi) {
    switch (sensor) {
        case 0x11:
            return dpi <= 10000 ? dpi / 50 : (dpi - 10000) / 100 + 200;
        case 0x05:
            return dpi <= 6400 ? dpi / 50 : (dpi - 6400) / 100 + 128;
        case 0x25:
            return dpi <= 5000 ? dpi / 100 : (dpi - 5000) / 500 + 50;
        case 0x26:
            return dpi <= 5000 ? dpi / 100 - 1 : (dpi - 5000) / 500 + 50;
        case 0x19:
            return dpi <= 16000 ? dpi / 100 - 1 : (dpi - 16000) / 1000 + 160;
        case 0x04:
        case 0x10:
        case 0x12:
        case 0x35:
            return dpi / 100;
        default:  // 0x95 and every sensor without a row of its own
            return dpi / 50 - 1;
    }
}

int CodeToDpi(int sensor, int code) {
    switch (sensor) {
        case 0x11:
            return code < 200 ? code * 50 : (code - 100) * 100;
        case 0x05:
            return code < 129 ? code * 50 : (code - 64) * 100;
        case 0x25:
            return code < 50 ? code * 100 : (code - 40) * 500;
        case 0x26:
            return code < 50 ? code * 100 : (code - 39) * 500;
        case 0x19:
            return code < 160 ? code * 100 : (code - 144) * 1000;
        case 0x04:
        case 0x10:
        case 0x12:
        case 0x35:
            return code * 100;
        default:
            return (code + 1) * 50;
    }
}

}  // namespace vellomir
