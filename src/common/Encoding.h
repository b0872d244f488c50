#pragma once
// Conversions between UTF-8 (the program's text), UTF-16 and legacy code pages (through iconv).

#include <optional>
#include <string>
#include <string_view>

namespace vellomir {

// Decodes UTF-16 bytes (no byte order mark) into UTF-8. An odd trailing byte is dropped;
// unpaired surrogates become U+FFFD.
std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian);
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view utf8);

// Converts text in the given iconv charset (for example "CP1252", "GBK", "ISO-8859-1") to UTF-8.
// Returns nothing when iconv does not know the charset or the input is not valid in it.
std::optional<std::string> CharsetToUtf8(std::string_view bytes, const std::string& charset);
// Converts UTF-8 into the given charset; nothing when a character has no representation there.
std::optional<std::string> Utf8ToCharset(std::string_view utf8, const std::string& charset);

// The Windows code page standing for "the ANSI code page" of the user's locale: the language of
// LC_ALL / LC_CTYPE / LANG decides (zh_CN 936, zh_TW and zh_HK 950, ja 932, ko 949, ru and uk 1251,
// everything else 1252).
int AnsiCodePage();
// The iconv charset name of a Windows code page number ("CP1252", "CP936", ...).
std::string CodePageCharset(int codePage);
// Decodes text in the ANSI code page; bytes that do not decode are taken as Latin-1 so nothing is lost.
std::string AnsiToUtf8(std::string_view bytes);

}  // namespace vellomir
