#include "app/IniReader.h"

#include "common/Encoding.h"
#include "common/FileIo.h"
#include "common/Text.h"

namespace vellomir {

namespace {

// Language files are small; a file beyond this is not read.
constexpr std::size_t kMaxIniBytes = std::size_t{16} << 20;

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToLowerAscii(a) == ToLowerAscii(b);
}

// Blanks as INI readers know them: space and tab (line breaks never reach here).
std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string DecodeIniBytes(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return Utf16BytesToUtf8(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return Utf16BytesToUtf8(bytes.substr(2), true);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    // A file that is not valid UTF-8 (with or without a mark) is taken to be in the ANSI code page,
    // so every text handed on is valid UTF-8.
    if (!IsValidUtf8(bytes)) return AnsiToUtf8(bytes);
    return std::string(bytes);
}

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    bool inSection = false;
    bool sectionSeen = false;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t brk = text.find_first_of("\r\n", pos);
        std::string_view line = TrimBlanks(text.substr(pos, brk == std::string_view::npos ? brk : brk - pos));
        pos = brk == std::string_view::npos ? text.size() + 1 : brk + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            std::size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            // Only the first section of the name is read.
            if (sectionSeen && inSection) return std::nullopt;
            inSection = SameName(TrimBlanks(line.substr(1, close - 1)), section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection) continue;
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        if (!SameName(TrimBlanks(line.substr(0, eq)), key)) continue;
        return std::string(StripQuotes(TrimBlanks(line.substr(eq + 1))));
    }
    return std::nullopt;
}

std::string ReadIniString(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    auto bytes = ReadWholeFile(file, kMaxIniBytes);
    if (!bytes) return {};
    auto value = FindIniValue(DecodeIniBytes(*bytes), section, key);
    if (!value) return {};
    return TruncateCodePoints(*value, kMaxIniValueChars);
}

}  // namespace vellomir
