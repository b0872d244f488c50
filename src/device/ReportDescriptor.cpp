#include "device/ReportDescriptor.h"

#include <vector>

namespace vellomir {
namespace {

enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };

// Global tags.
constexpr std::uint8_t kUsagePage = 0x0, kReportSize = 0x7, kReportId = 0x8, kReportCount = 0x9, kPush = 0xA,
                       kPop = 0xB;
// Main tags.
constexpr std::uint8_t kOutput = 0x9, kCollection = 0xA, kEndCollection = 0xC;
// Local tags.
constexpr std::uint8_t kUsage = 0x0;
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::uint32_t kApplicationCollection = 0x01;

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

}  // namespace

std::optional<ReportDescriptorSummary> ParseReportDescriptor(std::span<const std::uint8_t> bytes) {
    ReportDescriptorSummary summary;
    std::map<std::uint8_t, std::uint64_t> outputBits;
    GlobalState global;
    std::vector<GlobalState> stack;
    bool haveUsage = false;
    std::uint32_t firstUsage = 0;
    unsigned firstUsageSize = 0;
    int depth = 0;

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::uint8_t prefix = bytes[pos++];
        if (prefix == kLongItemPrefix) {
            if (pos + 2 > bytes.size()) return std::nullopt;
            const std::size_t size = bytes[pos];
            pos += 2;
            if (pos + size > bytes.size()) return std::nullopt;
            pos += size;
            continue;
        }
        const unsigned sizeCode = prefix & 0x03u;
        const std::size_t size = sizeCode == 3 ? 4 : sizeCode;
        if (pos + size > bytes.size()) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<std::uint32_t>(bytes[pos + i]) << (8 * i);
        pos += size;
        const auto type = static_cast<ItemType>((prefix >> 2) & 0x03u);
        const std::uint8_t tag = prefix >> 4;

        if (type == kGlobal) {
            switch (tag) {
                case kUsagePage:
                    global.usagePage = value;
                    break;
                case kReportSize:
                    global.reportSize = value;
                    break;
                case kReportCount:
                    global.reportCount = value;
                    break;
                case kReportId:
                    global.reportId = static_cast<std::uint8_t>(value);
                    break;
                case kPush:
                    stack.push_back(global);
                    break;
                case kPop:
                    if (stack.empty()) return std::nullopt;
                    global = stack.back();
                    stack.pop_back();
                    break;
                default:
                    break;
            }
        } else if (type == kLocal) {
            if (tag == kUsage && !haveUsage) {
                haveUsage = true;
                firstUsage = value;
                firstUsageSize = static_cast<unsigned>(size);
            }
        } else if (type == kMain) {
            if (tag == kCollection) {
                if (depth == 0 && !summary.hasUsage && value == kApplicationCollection) {
                    summary.hasUsage = true;
                    // A four-byte usage carries its own page in the high half.
                    summary.usagePage =
                        static_cast<std::uint16_t>(firstUsageSize == 4 ? firstUsage >> 16 : global.usagePage);
                    summary.usage = static_cast<std::uint16_t>(firstUsage & 0xFFFFu);
                }
                ++depth;
            } else if (tag == kEndCollection) {
                if (--depth < 0) return std::nullopt;
            } else if (tag == kOutput) {
                outputBits[global.reportId] += std::uint64_t{global.reportSize} * global.reportCount;
            }
            // Local items apply to the next main item only.
            haveUsage = false;
            firstUsage = 0;
            firstUsageSize = 0;
        }
    }
    if (depth != 0) return std::nullopt;
    for (const auto& [id, bits] : outputBits)
        summary.outputBytes[id] = static_cast<std::size_t>((bits + 7) / 8);
    return summary;
}

}  // namespace vellomir
