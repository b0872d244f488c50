#include "update/ZipEntryName.h"

#include <algorithm>

namespace vellomir {

namespace {

// Byte length of the UTF-8 sequence starting with `lead` (1 for anything unexpected).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

bool DropDrive(std::string_view& name) {
    if (name.empty()) return false;
    std::size_t first = SequenceLength(static_cast<unsigned char>(name[0]));
    if (name.size() <= first || name[first] != ':') return false;
    name.remove_prefix(first + 1);
    return true;
}

bool DropLeadingSeparator(std::string_view& name) {
    if (name.empty() || (name[0] != '\\' && name[0] != '/')) return false;
    name.remove_prefix(1);
    return true;
}

bool DropThroughParentStep(std::string_view& name) {
    std::size_t best = std::string_view::npos;
    for (std::string_view step : {"\\..\\", "\\../", "/../", "/..\\"})
        best = std::min(best, name.find(step));
    if (best == std::string_view::npos) return false;
    name.remove_prefix(best + 4);
    return true;
}

}  // namespace

std::string SafeEntryPath(std::string_view name) {
    for (;;) {
        bool changed = DropDrive(name);
        changed = DropLeadingSeparator(name) || changed;
        changed = DropThroughParentStep(name) || changed;
        if (!changed) break;
    }
    // What is left may still hold a parent step at its start ("../x", also after a dropped drive) or
    // at its end ("a/.."); such parts are dropped so the path stays inside the folder.
    std::string path;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = name.size();
        std::string_view part = name.substr(start, end - start);
        if (!part.empty() && part != "." && part != "..") {
            if (!path.empty()) path += '/';
            path.append(part);
        }
        start = end + 1;
    }
    return path;
}

bool IsFolderEntryName(std::string_view name) {
    return !name.empty() && (name.back() == '/' || name.back() == '\\');
}

}  // namespace vellomir
