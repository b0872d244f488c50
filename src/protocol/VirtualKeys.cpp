#include "protocol/VirtualKeys.h"

namespace vellomir {

int VirtualKeyToUsage(int vk) {
    if (vk >= 65 && vk <= 90) return vk - 65 + 4;       // A-Z
    if (vk >= 49 && vk <= 57) return vk - 49 + 30;      // 1-9
    if (vk >= 112 && vk <= 123) return vk - 112 + 58;   // F1-F12
    if (vk >= 97 && vk <= 105) return vk - 97 + 89;     // keypad 1-9
    if (vk >= 124 && vk <= 135) return vk - 124 + 104;  // F13-F24
    switch (vk) {
        case 48:
            return 39;
        case 13:
            return 40;
        case 27:
            return 41;
        case 8:
            return 42;
        case 9:
            return 43;
        case 32:
            return 44;
        case 189:
            return 45;
        case 187:
            return 46;
        case 219:
            return 47;
        case 221:
            return 48;
        case 220:
            return 49;
        case 186:
            return 51;
        case 222:
            return 52;
        case 192:
            return 53;
        case 188:
            return 54;
        case 190:
            return 55;
        case 191:
            return 56;
        case 20:
            return 57;
        case 44:
            return 70;
        case 145:
            return 71;
        case 19:
            return 72;
        case 45:
            return 73;
        case 36:
            return 74;
        case 33:
            return 75;
        case 46:
            return 76;
        case 35:
            return 77;
        case 34:
            return 78;
        case 39:
            return 79;
        case 37:
            return 80;
        case 40:
            return 81;
        case 38:
            return 82;
        case 144:
            return 83;
        case 111:
            return 84;
        case 106:
            return 85;
        case 109:
            return 86;
        case 107:
            return 87;
        case 108:
            return 88;
        case 96:
            return 98;
        case 110:
            return 99;
        case 226:
            return 100;
        case 93:
            return 101;
        case 136:
        case 137:
        case 138:
        case 139:
            return vk;
        case 254:
            return 175;
        case 162:
            return 224;
        case 160:
            return 225;
        case 164:
            return 226;
        case 91:
            return 227;
        case 163:
            return 228;
        case 161:
            return 229;
        case 165:
            return 230;
        case 92:
            return 231;
        // Codes no key produces, kept by stored macro events.
        case 301:
            return 236;
        case 302:
            return 235;
        case 666:
            return 50;
        default:
            return 0;
    }
}

bool IsModifierVirtualKey(int vk) {
    return (vk >= 160 && vk <= 165) || vk == 91 || vk == 92;
}

int ModifierBit(int code) {
    switch (code) {
        case 0xE0:
        case 162:
            return 0x01;  // left Ctrl
        case 0xE1:
        case 160:
            return 0x02;  // left Shift
        case 0xE2:
        case 164:
            return 0x04;  // left Alt
        case 0xE3:
        case 91:
            return 0x08;  // left Win
        case 0xE4:
        case 163:
            return 0x10;  // right Ctrl
        case 0xE5:
        case 161:
            return 0x20;  // right Shift
        case 0xE6:
        case 165:
            return 0x40;  // right Alt
        case 0xE7:
        case 92:
            return 0x80;  // right Win
        default:
            return code;
    }
}

}  // namespace vellomir
