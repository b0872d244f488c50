#include "update/VersionText.h"

#include <vector>

#include "common/Text.h"

namespace vellomir {

namespace {

std::vector<std::string_view> SplitParts(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t dot = text.find('.', start);
        parts.push_back(
            text.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
        if (dot == std::string_view::npos) return parts;
        start = dot + 1;
    }
}

// The code points [first, first + count) of a UTF-8 text.
std::string CodePointSlice(std::string_view utf8, std::size_t first, std::size_t count) {
    std::string rest = TruncateCodePoints(utf8, first);
    return TruncateCodePoints(utf8.substr(rest.size()), count);
}

}  // namespace

int CompareVersions(std::string_view current, std::string_view latest) {
    std::vector<std::string_view> have = SplitParts(current);
    std::vector<std::string_view> offered = SplitParts(latest);
    if (have.size() != offered.size()) return 2;
    for (std::size_t i = 0; i < have.size(); ++i) {
        int a = ReadDecimal(have[i]);
        int b = ReadDecimal(offered[i]);
        if (b > a) return 1;
        if (a > b) return -1;
    }
    return 0;
}

bool IsOfferableVersion(std::string_view version) {
    bool digit = false;
    for (char c : version) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != '.') {
            return false;
        }
    }
    return digit;
}

std::string FirmwareDisplayVersion(std::string_view version) {
    std::size_t length = CountCodePoints(version);
    std::size_t tail = length < 2 ? length : 2;
    return CodePointSlice(version, 0, 1) + "." + CodePointSlice(version, length - tail, tail);
}

}  // namespace vellomir
