#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "device/BackendChoice.h"
#include "device/HidapiBackend.h"

namespace vellomir {
namespace {

// The hidraw nodes the kernel shows, as hidapi names them.
std::set<std::string> HidrawNodes() {
    std::set<std::string> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/hidraw", error)) {
        nodes.insert("/dev/" + entry.path().filename().string());
    }
    return nodes;
}

TEST(HidapiBackendTest, EnumerationListsEveryHidrawNode) {
    HidapiBackend backend;
    std::set<std::string> paths;
    for (const HidInterfaceInfo& info : backend.Enumerate())
        paths.insert(info.path);
    // On this machine both are empty; elsewhere every node shows up as at least one collection.
    EXPECT_EQ(paths, HidrawNodes());
    // A second enumeration works as well (hidapi is initialised once).
    EXPECT_EQ(backend.Enumerate().size(), HidapiBackend().Enumerate().size());
}

TEST(HidapiBackendTest, OpeningAMissingNodeFails) {
    HidapiBackend backend;
    EXPECT_EQ(backend.OpenPath("/dev/hidraw-none"), nullptr);
    EXPECT_EQ(backend.OpenPath(""), nullptr);
    EXPECT_TRUE(HidrawOutputReports("/dev/hidraw-none").empty());
    EXPECT_TRUE(HidrawOutputReports("/etc/passwd").empty());
}

TEST(HidapiBackendTest, UdevMonitorStartsAndStops) {
    HidapiBackend backend;
    if (!backend.StartHotplug([](const HotplugEvent&) {})) {
        GTEST_SKIP() << "no udev netlink socket on this machine";
    }
    EXPECT_FALSE(backend.StartHotplug([](const HotplugEvent&) {})) << "already running";
    backend.StopHotplug();
    backend.StopHotplug();
    ASSERT_TRUE(backend.StartHotplug([](const HotplugEvent&) {})) << "restarts after a stop";
    // The destructor stops it.
}

class BackendChoiceTest : public ::testing::Test {
protected:
    ~BackendChoiceTest() override { unsetenv("VELLOMIR_SIMULATE"); }
};

TEST_F(BackendChoiceTest, SimulatorOnlyWhenAsked) {
    unsetenv("VELLOMIR_SIMULATE");
    EXPECT_NE(dynamic_cast<HidapiBackend*>(ChooseHidBackend().get()), nullptr);

    setenv("VELLOMIR_SIMULATE", "arc", 1);
    const auto simulated = ChooseHidBackend();
    ASSERT_TRUE(simulated);
    EXPECT_EQ(dynamic_cast<HidapiBackend*>(simulated.get()), nullptr);
    EXPECT_FALSE(simulated->Enumerate().empty()) << "the named mouse is plugged in";

    setenv("VELLOMIR_SIMULATE", "no-such-device", 1);
    testing::internal::CaptureStderr();
    const auto fallback = ChooseHidBackend();
    const std::string warning = testing::internal::GetCapturedStderr();
    EXPECT_NE(dynamic_cast<HidapiBackend*>(fallback.get()), nullptr);
    EXPECT_NE(warning.find("no-such-device"), std::string::npos);
}

}  // namespace
}  // namespace vellomir
