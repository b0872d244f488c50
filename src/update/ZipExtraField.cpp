#include "update/ZipExtraField.h"

namespace vellomir {

namespace {

std::uint32_t ReadLittle(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

}  // namespace

std::optional<UnixEntryTimes> ParseUnixTimeExtraField(std::string_view extra) {
    constexpr std::uint32_t kUnixTimeId = 0x5455;
    std::size_t at = 0;
    while (at + 4 <= extra.size()) {
        std::uint32_t id = ReadLittle(extra, at, 2);
        std::size_t size = ReadLittle(extra, at + 2, 2);
        std::string_view data = extra.substr(at + 4, size);
        at += 4 + size;
        if (id != kUnixTimeId || data.size() != size || data.empty()) continue;

        // A flag byte tells which times follow, each 4 bytes (signed seconds), in this order. The
        // copy in the central directory carries the flags of the local one but only the first time.
        unsigned flags = static_cast<unsigned char>(data[0]);
        UnixEntryTimes times;
        std::optional<std::int64_t>* slots[] = {&times.modified, &times.accessed, &times.created};
        std::size_t pos = 1;
        for (int bit = 0; bit < 3; ++bit) {
            if ((flags & (1u << bit)) == 0) continue;
            if (pos + 4 > data.size()) break;
            *slots[bit] = static_cast<std::int32_t>(ReadLittle(data, pos, 4));
            pos += 4;
        }
        if (times.modified || times.accessed || times.created) return times;
    }
    return std::nullopt;
}

}  // namespace vellomir
