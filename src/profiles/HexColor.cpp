#include "profiles/HexColor.h"

namespace vellomir {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of the leading hex digits of a part of at most two characters.
int ReadPart(std::string_view part) {
    int value = 0;
    for (char c : part) {
        int digit = HexDigit(c);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

int ParseHexColor(std::string_view text) {
    if (text.empty()) return 0;
    // The first character is the '#'; whatever stands there is dropped whole, also when it is not ASCII.
    std::size_t first = 1;
    while (first < text.size() && (static_cast<unsigned char>(text[first]) & 0xC0) == 0x80)
        ++first;
    const std::string_view digits = text.substr(first);
    if (digits.size() < 2 || digits.size() > 6) return 0;
    const int red = ReadPart(digits.substr(0, 2));
    const int green = digits.size() > 2 ? ReadPart(digits.substr(2, 2)) : 0;
    const int blue = digits.size() > 4 ? ReadPart(digits.substr(4, 2)) : 0;
    return blue * 65536 + green * 256 + red;
}

}  // namespace vellomir
