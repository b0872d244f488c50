#include "app/SettingsFile.h"

#include "common/Text.h"

namespace vellomir {

namespace {

struct Line {
    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // one past the last byte before the line break
    std::size_t next = 0;   // first byte of the following line
};

// Calls visit(line) for every line until it returns true; returns the line it stopped at.
template <typename Visit>
std::optional<Line> ForEachLine(std::string_view text, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        std::size_t brk = text.find_first_of("\r\n", pos);
        line.end = brk == std::string_view::npos ? text.size() : brk;
        line.next = line.end;
        if (line.next < text.size() && text[line.next] == '\r') ++line.next;
        if (line.next < text.size() && text[line.next] == '\n') ++line.next;
        if (visit(line)) return line;
        pos = line.next;
    }
    return std::nullopt;
}

bool SameName(std::string_view a, std::string_view b) {
    return ToLowerAscii(a) == ToLowerAscii(b);
}

// The name and value of a "name=value" line; nothing for any other line.
std::optional<std::pair<std::string_view, std::string_view>> SplitLine(std::string_view line) {
    std::string_view trimmed = TrimAscii(line);
    if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';') return std::nullopt;
    std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return std::make_pair(TrimAscii(trimmed.substr(0, eq)), TrimAscii(trimmed.substr(eq + 1)));
}

std::optional<Line> FindLine(std::string_view text, std::string_view name) {
    return ForEachLine(text, [&](const Line& line) {
        auto pair = SplitLine(text.substr(line.begin, line.end - line.begin));
        return pair && SameName(pair->first, name);
    });
}

}  // namespace

std::optional<std::string> FindSetting(std::string_view fileText, std::string_view name) {
    auto line = FindLine(fileText, name);
    if (!line) return std::nullopt;
    return std::string(SplitLine(fileText.substr(line->begin, line->end - line->begin))->second);
}

std::string ReplaceSetting(std::string_view fileText, std::string_view name, std::string_view value) {
    std::string entry = std::string(name) + "=" + std::string(value);
    std::string out;
    if (auto line = FindLine(fileText, name)) {
        out.append(fileText.substr(0, line->begin));
        out += entry;
        out.append(fileText.substr(line->end));
        return out;
    }
    out.append(fileText);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += '\n';
    out += entry;
    out += '\n';
    return out;
}

bool IsStorableSettingName(std::string_view name) {
    return !TrimAscii(name).empty() && TrimAscii(name) == name &&
           name.find_first_of(std::string_view("=\r\n\0", 4)) == std::string_view::npos && name[0] != '#' &&
           name[0] != ';';
}

bool IsStorableSettingValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace vellomir
