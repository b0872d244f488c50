#pragma once
// What the program needs from a HID report descriptor: the usage pair of its first top-level
// collection and the size of each output report.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>

namespace vellomir {

struct ReportDescriptorSummary {
    bool hasUsage = false;  // false when the descriptor has no application collection
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Data bytes of each output report (the report id byte not included), by report id; id 0 when the
    // descriptor does not number its reports.
    std::map<std::uint8_t, std::size_t> outputBytes;
};

// Nothing when the descriptor is malformed (an item running past the end, unbalanced collections or
// push/pop).
std::optional<ReportDescriptorSummary> ParseReportDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace vellomir
