#pragma once
// The text form of the settings file: one "name=value" line per value, the way the program's values
// were kept as text values under one key. Names are compared without regard to ASCII letter case, as
// value names of such a key are; the first line of a name counts. Lines that are not "name=value"
// (comments, blanks, damage) are kept as they are when a value is written.

#include <optional>
#include <string>
#include <string_view>

namespace vellomir {

// The value stored under `name`, or nothing when no line holds it.
std::optional<std::string> FindSetting(std::string_view fileText, std::string_view name);

// The file text with `name` set to `value`: the first line of that name is replaced in place, or a
// line is appended. Every other line stays byte for byte.
std::string ReplaceSetting(std::string_view fileText, std::string_view name, std::string_view value);

// Whether a name or value can be stored in this form (no line breaks or NULs; names also without '='
// and not empty).
bool IsStorableSettingName(std::string_view name);
bool IsStorableSettingValue(std::string_view value);

}  // namespace vellomir
