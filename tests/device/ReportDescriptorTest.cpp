#include <gtest/gtest.h>

#include <vector>

#include "device/ReportDescriptor.h"

namespace vellomir {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A boot mouse: pointer collection, buttons and X/Y input, no output report.
const Bytes kBootMouse = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
                          0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
                          0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15,
                          0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0};

// A vendor collection with 64-byte unnumbered input and output reports.
const Bytes kVendor = {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
                       0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};

// The loader: numbered reports, output report 5 of 32 bytes, feature report 6 ignored.
const Bytes kLoader = {0x06, 0xEF, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x85, 0x05, 0x75, 0x08, 0x95, 0x20,
                       0x09, 0x01, 0x91, 0x02, 0x85, 0x06, 0x95, 0x08, 0x09, 0x01, 0xB1, 0x02, 0xC0};

// A usage with its page in the high half (four-byte local item), page 0x0001 usage 0x0000.
const Bytes kExtendedUsage = {0x0B, 0x00, 0x00, 0x01, 0x00, 0xA1, 0x01, 0xC0};

TEST(ReportDescriptorTest, FirstApplicationCollectionAndOutputSizes) {
    struct Case {
        const char* name;
        const Bytes* bytes;
        std::uint16_t page;
        std::uint16_t usage;
        std::map<std::uint8_t, std::size_t> outputs;
    } cases[] = {
        {"boot mouse", &kBootMouse, 0x0001, 0x0002, {}},
        {"vendor", &kVendor, 0xFF01, 0x0010, {{0, 64}}},
        {"loader", &kLoader, 0xFFEF, 0x0000, {{5, 32}}},
        {"extended usage", &kExtendedUsage, 0x0001, 0x0000, {}},
    };
    for (const Case& c : cases) {
        const auto summary = ParseReportDescriptor(*c.bytes);
        ASSERT_TRUE(summary) << c.name;
        EXPECT_TRUE(summary->hasUsage) << c.name;
        EXPECT_EQ(summary->usagePage, c.page) << c.name;
        EXPECT_EQ(summary->usage, c.usage) << c.name;
        EXPECT_EQ(summary->outputBytes, c.outputs) << c.name;
    }
}

TEST(ReportDescriptorTest, TwoCollectionsReportTheFirst) {
    Bytes both = kBootMouse;
    both.insert(both.end(), kVendor.begin(), kVendor.end());
    const auto summary = ParseReportDescriptor(both);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->usagePage, 0x0001);
    EXPECT_EQ(summary->usage, 0x0002);
    EXPECT_EQ(summary->outputBytes.at(0), 64u);  // output reports of every collection count
}

TEST(ReportDescriptorTest, MalformedDescriptorsAreRefused) {
    const Bytes truncatedItem(kVendor.begin(), kVendor.begin() + 2);  // 0x06 needs two data bytes
    const Bytes openCollection(kVendor.begin(), kVendor.end() - 1);   // no End Collection
    const Bytes extraEnd = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0xC0};
    const Bytes popWithoutPush = {0xB4};
    const Bytes truncatedLongItem = {0xFE, 0x05, 0x10, 0x01};
    for (const Bytes* bytes :
         {&truncatedItem, &openCollection, &extraEnd, &popWithoutPush, &truncatedLongItem}) {
        EXPECT_FALSE(ParseReportDescriptor(*bytes)) << bytes->size() << " bytes";
    }
    // Empty and usage-less descriptors parse, with no usage pair.
    const auto empty = ParseReportDescriptor(Bytes{});
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->hasUsage);
}

}  // namespace
}  // namespace vellomir
