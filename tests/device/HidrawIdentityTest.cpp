#include <gtest/gtest.h>

#include "device/HidrawIdentity.h"

namespace vellomir {
namespace {

TEST(HidrawIdentityTest, DevpathGivesIdsAndInterface) {
    struct Case {
        const char* devpath;
        bool known;
        std::uint16_t vendor;
        std::uint16_t product;
        int interfaceNumber;
    } cases[] = {
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1209:0001.0005/hidraw/hidraw3", true, 0x1209,
         0x0001, 2},
        {"/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4:1.0/0003:046D:C52B.000A/hidraw/hidraw0", true,
         0x046D, 0xC52B, 0},
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.12/0003:1209:000F.0001/hidraw/hidraw1", true,
         0x1209, 0x000F, 12},
        // Bluetooth: no USB interface above the HID device.
        {"/devices/virtual/misc/uhid/0005:1209:0002.0007/hidraw/hidraw5", true, 0x1209, 0x0002, -1},
        {"/devices/virtual/misc/hidraw9", false, 0, 0, -1},
        {"", false, 0, 0, -1},
        {"/devices/x/0003:12G9:0001.0005/hidraw/hidraw3", false, 0, 0, -1},
    };
    for (const Case& c : cases) {
        const InterfaceIds ids = ParseHidrawDevpath(c.devpath);
        EXPECT_EQ(ids.known, c.known) << c.devpath;
        EXPECT_EQ(ids.vendorId, c.vendor) << c.devpath;
        EXPECT_EQ(ids.productId, c.product) << c.devpath;
        EXPECT_EQ(ids.interfaceNumber, c.interfaceNumber) << c.devpath;
    }
}

TEST(HidrawIdentityTest, UdevPropertiesOfTheHidDevice) {
    std::uint16_t vendor = 0, product = 0;
    EXPECT_TRUE(ParseHidId("0003:00001209:00000001", vendor, product));
    EXPECT_EQ(vendor, 0x1209);
    EXPECT_EQ(product, 0x0001);
    EXPECT_TRUE(ParseHidId("0005:0000046D:0000B012", vendor, product));
    EXPECT_EQ(product, 0xB012);
    for (const char* bad : {"", "0003:1209", "0003:00011209:00000001", "0003:zz:0001", "0003::0001"}) {
        vendor = product = 7;
        EXPECT_FALSE(ParseHidId(bad, vendor, product)) << bad;
        EXPECT_EQ(vendor, 7) << bad;  // left alone on failure
    }

    EXPECT_EQ(ParseHidPhysInterface("usb-0000:00:14.0-2/input2"), 2);
    EXPECT_EQ(ParseHidPhysInterface("usb-0000:00:14.0-1.4/input10"), 10);
    EXPECT_EQ(ParseHidPhysInterface("aa:bb:cc:dd:ee:ff"), -1);
    EXPECT_EQ(ParseHidPhysInterface("usb-0000:00:14.0-2/input"), -1);
}

TEST(HidrawIdentityTest, EventPathHoldsTheCataloguePattern) {
    EXPECT_EQ(FormatHotplugPath("/dev/hidraw3", {true, 0x1209, 0x0001, 2}),
              "/dev/hidraw3#VID_1209&PID_0001&MI_02");
    EXPECT_EQ(FormatHotplugPath("/dev/hidraw3", {true, 0xABCD, 0x00EF, -1}),
              "/dev/hidraw3#VID_ABCD&PID_00EF");
    EXPECT_EQ(FormatHotplugPath("/dev/hidraw3", {false, 0, 0, -1}), "/dev/hidraw3");
}

}  // namespace
}  // namespace vellomir
