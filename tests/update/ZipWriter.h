#pragma once
// Writes zip archives for the tests with minizip's writer, including entries no friendly tool would
// make: any stored name, Unix link entries, chosen times and extra fields, and entries whose data
// inflates to more than they announce.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vellomir::test {

struct ZipEntrySpec {
    std::string name;  // stored exactly as given
    std::string data;
    // Unix mode (type and permissions); when set, the entry is marked as made on Unix.
    std::optional<std::uint32_t> unixMode;
    std::uint32_t dosAttributes = 0;
    std::uint32_t dosDate = 0;  // 0: minizip's default date
    std::string localExtra;
    std::string centralExtra;
    // When set, the deflated data is stored as is and the entry claims this uncompressed size (the
    // checksum is that of the real data).
    std::optional<std::uint64_t> claimedSize;
};

bool WriteZip(const std::filesystem::path& archive, const std::vector<ZipEntrySpec>& entries);

}  // namespace vellomir::test
