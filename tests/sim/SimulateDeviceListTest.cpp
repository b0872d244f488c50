// The VELLOMIR_SIMULATE value: presets, custom devices, options and what is refused.

#include <gtest/gtest.h>

#include "SimTestFrames.h"
#include "sim/CreateSimulatedBackend.h"
#include "sim/SimulatePresets.h"

namespace vellomir::sim::test {
namespace {

TEST(SimulateDeviceListTest, ParsesPresetsAndCustomDevices) {
    struct Device {
        bool receiver;
        std::uint16_t vid, pid;
        const char* id;
        bool online;
    };
    struct Case {
        const char* text;
        std::vector<Device> devices;
    } cases[] = {
        {"arc", {{false, 0x1209, 0x0001, "ARC1", true}}},
        {" ARC , drift-receiver ",
         {{false, 0x1209, 0x0001, "ARC1", true}, {true, 0x1209, 0x0003, "DRF1", true}}},
        {"drift,apex8k,apex",
         {{false, 0x1209, 0x0002, "DRF1", true},
          {false, 0x1209, 0x0004, "APX8", true},
          {false, 0x1209, 0x0004, "APX8", true}}},
        {"drift-receiver+offline", {{true, 0x1209, 0x0003, "DRF1", false}}},
        {"cable:1209:1:ARC1,receiver:abcd:FF00:x+OFFLINE",
         {{false, 0x1209, 0x0001, "ARC1", true}, {true, 0xABCD, 0xFF00, "x", false}}},
    };
    for (const auto& c : cases) {
        const auto specs = ParseSimulateSpec(c.text);
        ASSERT_TRUE(specs) << c.text;
        ASSERT_EQ(specs->size(), c.devices.size()) << c.text;
        for (std::size_t i = 0; i < specs->size(); ++i) {
            const auto& got = (*specs)[i];
            const auto& want = c.devices[i];
            EXPECT_EQ(got.receiver, want.receiver) << c.text;
            EXPECT_EQ(got.usb.vendorId, want.vid) << c.text;
            EXPECT_EQ(got.usb.productId, want.pid) << c.text;
            EXPECT_EQ(got.mouse.deviceId, want.id) << c.text;
            EXPECT_EQ(got.mouseOnline, want.online) << c.text;
        }
    }
    EXPECT_EQ(FindPreset("apex8k")->mouse.rateCapability, 0x40);
}

TEST(SimulateDeviceListTest, RefusesWhatItDoesNotUnderstand) {
    for (const char* text :
         {"", "  ", "mouse", "arc,", ",arc", "arc,,drift", "arc+offline", "drift-receiver+fast",
          "cable:1209:0001", "cable:12345:0001:ARC1", "cable:1209:00g1:ARC1", "cable:1209:0001:TOOLONG",
          "cable:1209:0001:", "usb:1209:0001:ARC1", "receiver:1209:0003:A B"}) {
        EXPECT_FALSE(ParseSimulateSpec(text)) << '"' << text << '"';
        EXPECT_EQ(CreateSimulatedBackend(text), nullptr) << '"' << text << '"';
    }
}

TEST(SimulateDeviceListTest, BackendComesWithTheNamedDevicesAnswering) {
    auto backend = CreateSimulatedBackend("arc,drift-receiver+offline");
    ASSERT_TRUE(backend);
    const auto list = backend->Enumerate();
    ASSERT_EQ(list.size(), 8u);
    auto receiver = backend->OpenPath(list[6].path);
    ASSERT_TRUE(receiver);
    ASSERT_EQ(list[6].productId, 0x0003);
    const Exchange info = Send(*receiver, Query(0x10));
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(std::string(info.reply.begin() + 4, info.reply.begin() + 8), "DRF1");
    EXPECT_EQ(info.reply[14], 0x00) << "started off line";
}

}  // namespace
}  // namespace vellomir::sim::test
