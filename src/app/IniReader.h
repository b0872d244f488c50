#pragma once
// A reader for the program's INI text files (the language files). Rules: a file in UTF-8 (with or
// without a byte order mark), UTF-16 with a byte order mark in either byte order, or else the ANSI
// code page; sections in brackets and keys are compared without regard to ASCII letter case; the first
// section of a name and the first matching key in it win; blanks around keys and values are removed,
// then one pair of enclosing quotes (both " or both ') of the value.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellomir {

// A value is read into a buffer of 260 characters: at most 259 of it are used.
inline constexpr std::size_t kMaxIniValueChars = 259;

// The file's bytes as UTF-8 text: UTF-16 by its byte order mark, else UTF-8 (a UTF-8 mark is skipped)
// when the bytes are valid UTF-8, else the ANSI code page.
std::string DecodeIniBytes(std::string_view bytes);

// The value of `key` in `section` of a decoded INI text (not cut); nothing when the section or key
// is missing.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// The value of `key` in `section` of the file, cut to 259 characters (code points); empty when the
// file, the section or the key is missing.
std::string ReadIniString(const std::filesystem::path& file, std::string_view section, std::string_view key);

}  // namespace vellomir
