#pragma once
// Colour texts of the description files: '#' followed by hexadecimal pairs for red, green and blue.

#include <string_view>

namespace vellomir {

// Drops the first character and reads up to three hexadecimal pairs R, G, B from the rest; returns
// B * 65536 + G * 256 + R (Windows colour order). Six characters give all three pairs; two to five give
// the leading ones (a last odd digit is a one-digit part), the missing parts counting as 0; any other
// length gives 0. A part reads its leading hex digits only, so each part stays within 0..255.
int ParseHexColor(std::string_view text);

}  // namespace vellomir
