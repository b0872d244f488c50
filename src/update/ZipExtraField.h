#pragma once
// The "UT" (extended timestamp, id 0x5455) extra field of zip entries.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vellomir {

struct UnixEntryTimes {
    std::optional<std::int64_t> modified;  // seconds since 1970 (UTC)
    std::optional<std::int64_t> accessed;
    std::optional<std::int64_t> created;
};

// Finds the "UT" field among the extra fields of an entry and reads the times it holds. Nothing when
// there is none, or it holds no time. Fields that run past the end of the data are ignored.
std::optional<UnixEntryTimes> ParseUnixTimeExtraField(std::string_view extra);

}  // namespace vellomir
