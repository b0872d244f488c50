#include <gtest/gtest.h>

#include <vector>

#include "device/DeviceIdentity.h"

namespace vellomir {
namespace {

InfoBlock InfoWithId(std::initializer_list<std::uint8_t> idBytes) {
    InfoBlock info{};
    std::size_t i = kInfoDeviceIdOffset;
    for (std::uint8_t byte : idBytes)
        info[i++] = byte;
    info[9] = 'X';  // beyond the four id bytes: never part of the id
    return info;
}

TEST(DeviceIdentityTest, DeviceIdIsFourBytesEndingAtTheFirstZero) {
    EXPECT_EQ(GetDeviceId(InfoWithId({'A', 'R', 'C', '1'})), "ARC1");
    EXPECT_EQ(GetDeviceId(InfoWithId({'A', 'R', 'C', '1', 'Z'})), "ARC1");
    EXPECT_EQ(GetDeviceId(InfoWithId({'A', 'B', 0, 'C'})), "AB");
    EXPECT_EQ(GetDeviceId(InfoWithId({0, 'B', 'C', 'D'})), "");
    // Bytes above 0x7F are characters U+0080..U+00FF, kept as valid UTF-8.
    EXPECT_EQ(GetDeviceId(InfoWithId({'M', 0xE9, '2', '3'})),
              "M\xC3\xA9"
              "23");
}

TEST(DeviceIdentityTest, DeviceTypeWalksTheSupportedListInOrder) {
    const std::vector<SupportedDevice> plain = {
        {0x1209, 0x0001, 5, kModeCable, "ARC1"},
        {0x1209, 0x0002, 5, kModeReceiver, "ARC1"},
        {0x1209, 0x0002, 6, kModeReceiver, "DRF2"},
    };
    // An entry without a usable id shadows every later entry of its vendor and product id.
    const std::vector<SupportedDevice> shadowed = {
        {0x1209, 0x0001, 5, kModeCable, "ARC1"},
        {0x1209, 0x0002, 7, kModeReceiver, ""},
        {0x1209, 0x0002, 5, kModeReceiver, "ARC1"},
        {0x1209, 0x0002, 6, kModeReceiver, "DRF2"},
    };
    const std::vector<SupportedDevice> shortId = {
        {0x1209, 0x0002, 5, kModeReceiver, "ARC1"},
        {0x1209, 0x0002, 6, kModeReceiver, "DRF"},
        {0x1209, 0x0002, 8, kModeReceiver, "ZZZ9"},
    };
    struct Case {
        const std::vector<SupportedDevice>* list;
        std::uint32_t pid;
        const char* id;
        int expected;
    } cases[] = {
        {&plain, 0x0002, "ARC1", 5},
        {&plain, 0x0002, "DRF2", 6},
        {&plain, 0x0002, "arc1", 0},  // exact, case-sensitive
        {&plain, 0x0002, "ARC", 0},
        {&plain, 0x0003, "ARC1", 0},
        {&shadowed, 0x0002, "ARC1", kReceiverDeviceType},
        {&shadowed, 0x0002, "DRF2", kReceiverDeviceType},
        {&shadowed, 0x0001, "ARC1", 5},  // other pairs are not shadowed
        {&shortId, 0x0002, "ARC1", 5},   // found before the short entry
        {&shortId, 0x0002, "ZZZ9", kReceiverDeviceType},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetDeviceType(*c.list, 0x1209, c.pid, c.id), c.expected) << c.id << " pid " << c.pid;
    }
}

TEST(DeviceIdentityTest, OnlyTheTwoProtocolCollectionsAreAccepted) {
    EXPECT_TRUE(IsAcceptedUsage(0x0001, 0x0000));
    EXPECT_TRUE(IsAcceptedUsage(0xFF01, 0x0010));
    EXPECT_FALSE(IsAcceptedUsage(0x0001, 0x0002));  // pointer
    EXPECT_FALSE(IsAcceptedUsage(0x0001, 0x0006));  // keyboard
    EXPECT_FALSE(IsAcceptedUsage(0xFF01, 0x0000));
    EXPECT_FALSE(IsAcceptedUsage(kLoaderUsagePage, kLoaderUsage));
}

}  // namespace
}  // namespace vellomir
