#pragma once
// Text lookup: every visible text of the program is a number in section "LAN" of the current
// language's file <program folder>/language/<LCID>.lan. Files are read anew for every lookup, so a
// switch of language or an edited file shows at the next lookup.

#include <filesystem>
#include <string>
#include <string_view>

namespace vellomir {

inline constexpr const char* kTextSection = "LAN";

// The language file of an LCID below a program folder.
std::filesystem::path LanguageFile(const std::filesystem::path& programFolder, int lcid);

// Text `id` of `section` in the file of `lcid` below `programFolder`; empty when the file, section or
// text is missing. At most 259 characters.
std::string ReadLanguageText(const std::filesystem::path& programFolder, int lcid, int id,
                             std::string_view section = kTextSection);

// Text `id` of the current language, from the program folder.
std::string GetText(int id, std::string_view section = kTextSection);

}  // namespace vellomir
