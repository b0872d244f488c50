#pragma once
// Small text helpers shared by every area. Text inside the program is UTF-8.

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vellomir {

// Reads a decimal integer the way `_wtoi` does: leading white space, an optional sign, then the
// leading decimal digits; 0 when there are none. Values beyond the int range saturate.
int ReadDecimal(std::string_view text);

// Reads a hexadecimal integer the way `wcstol(text, nullptr, 16)` does: leading white space, an
// optional sign, an optional "0x"/"0X" prefix, then hex digits in either case; 0 when there are none.
// Values beyond the long range saturate.
long ReadHex(std::string_view text);

// printf-style formatting into a std::string.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* format, va_list args);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
std::string_view TrimAscii(std::string_view text);

// UTF-8 helpers. Counting and cutting work on code points and never split a character.
bool IsValidUtf8(std::string_view text);
std::size_t CountCodePoints(std::string_view utf8);
std::string TruncateCodePoints(std::string_view utf8, std::size_t maxCodePoints);
// Appends the UTF-8 form of one code point (invalid ones become U+FFFD).
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace vellomir
