#pragma once
// Character-set names and the Windows code page numbers that identify encodings in this program.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellomir::xml {

inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageUtf16Le = 1200;
inline constexpr int kCodePageUtf16Be = 1201;
inline constexpr int kCodePageUtf32Le = 12000;
inline constexpr int kCodePageUtf32Be = 12001;
inline constexpr int kCodePageUtf32 = 65005;  // "UTF-32..." in capitals: byte order from the data

// The code page of a character-set name: empty means the ANSI code page; a name beginning with
// "UTF-32" in capitals means 65005; otherwise the name is looked up without regard to ASCII case in
// the alias table. Unknown names also mean the ANSI code page.
int CodePageFromName(std::string_view name);

// True when the name is in the alias table (or is a "UTF-32" name).
bool IsKnownCharsetName(std::string_view name);

// The names of the alias table, in table order.
std::size_t CharsetAliasCount();
std::string_view CharsetAliasName(std::size_t index);

// The iconv name of a code page ("CP1252", "ISO-8859-2", "EUC-JP", "UTF-16LE", ...).
std::string IconvCharset(int codePage);

// A readable name of a code page for the result log and GetEncoding(): "UTF-8", "UTF-16LE",
// "windows-1252", "GBK", ...
std::string CodePageName(int codePage);

// Code pages whose characters are 16 or 32 bits wide.
inline bool IsUtf16(int codePage) {
    return codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be;
}
inline bool IsUtf32(int codePage) {
    return codePage == kCodePageUtf32Le || codePage == kCodePageUtf32Be || codePage == kCodePageUtf32;
}

}  // namespace vellomir::xml
