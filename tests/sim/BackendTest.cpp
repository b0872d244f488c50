// The simulated backend as the device layer sees it: enumeration of composite devices, paths,
// opening, and hot-plug events on plug and unplug.

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "SimTestFrames.h"
#include "sim/SimulatePresets.h"

namespace vellomir::sim::test {
namespace {

// Collects hot-plug events delivered on the backend's thread.
class EventSink {
public:
    HidBackend::HotplugListener Listener() {
        return [this](const HotplugEvent& e) {
            std::lock_guard lock(mutex_);
            events_.push_back(e);
            arrived_.notify_all();
        };
    }
    std::vector<HotplugEvent> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, std::chrono::seconds(5), [&] { return events_.size() >= count; });
        auto out = std::move(events_);
        events_.clear();
        return out;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<HotplugEvent> events_;
};

std::shared_ptr<SimulatedDevice> Make(const char* preset) {
    return CreateDevice(*FindPreset(preset));
}

TEST(SimulatedBackendTest, EnumeratesEveryInterfaceOfEveryDevice) {
    SimulatedHidBackend backend;
    EXPECT_TRUE(backend.Enumerate().empty());
    auto arc = Make("arc");
    auto receiver = Make("drift-receiver");
    ASSERT_TRUE(backend.Plug(arc));
    ASSERT_TRUE(backend.Plug(receiver));
    EXPECT_FALSE(backend.Plug(arc)) << "already plugged";

    const auto list = backend.Enumerate();
    ASSERT_EQ(list.size(), 8u);
    struct Expected {
        std::uint16_t pid, release;
        int interfaceNumber;
        std::uint16_t page, usage;
        const char* pathPart;
    } expected[] = {
        {0x0001, 0x0103, 0, 0x0001, 0x0002, "VID_1209&PID_0001&MI_00"},
        {0x0001, 0x0103, 1, 0x0001, 0x0006, "VID_1209&PID_0001&MI_01"},
        {0x0001, 0x0103, 2, 0xFF01, 0x0010, "VID_1209&PID_0001&MI_02"},
        {0x0001, 0x0103, 3, 0xFFEF, 0x0000, "VID_1209&PID_0001&MI_03"},
        {0x0003, 0x0105, 0, 0x0001, 0x0002, "VID_1209&PID_0003&MI_00"},
        {0x0003, 0x0105, 1, 0x0001, 0x0006, "VID_1209&PID_0003&MI_01"},
        {0x0003, 0x0105, 2, 0xFF01, 0x0010, "VID_1209&PID_0003&MI_02"},
        {0x0003, 0x0105, 3, 0xFFEF, 0x0000, "VID_1209&PID_0003&MI_03"},
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(list[i].vendorId, 0x1209);
        EXPECT_EQ(list[i].productId, e.pid);
        EXPECT_EQ(list[i].releaseNumber, e.release);
        EXPECT_EQ(list[i].interfaceNumber, e.interfaceNumber);
        EXPECT_EQ(list[i].usagePage, e.page);
        EXPECT_EQ(list[i].usage, e.usage);
        EXPECT_NE(list[i].path.find(e.pathPart), std::string::npos) << list[i].path;
    }

    // Two identical mice are told apart by their paths; every path opens its own interface.
    auto secondArc = Make("arc");
    ASSERT_TRUE(backend.Plug(secondArc));
    EXPECT_NE(backend.PathOf(*arc, 2), backend.PathOf(*secondArc, 2));
    for (const auto& info : backend.Enumerate())
        EXPECT_TRUE(backend.OpenPath(info.path)) << info.path;
    EXPECT_FALSE(backend.OpenPath("sim/99/VID_1209&PID_0001&MI_02"));

    const std::string path = backend.PathOf(*arc, 2);
    ASSERT_TRUE(backend.Unplug(arc));
    EXPECT_FALSE(backend.OpenPath(path));
    EXPECT_EQ(backend.Enumerate().size(), 8u);

    backend.SetLowerCasePaths(true);
    EXPECT_NE(backend.PathOf(*receiver, 2).find("vid_1209&pid_0003&mi_02"), std::string::npos);
    EXPECT_TRUE(backend.OpenPath(backend.PathOf(*receiver, 2)));
}

TEST(SimulatedBackendTest, PlugAndUnplugRaiseOneEventPerInterface) {
    SimulatedHidBackend backend;
    EventSink sink;
    auto early = Make("apex8k");
    backend.Plug(early);  // before StartHotplug: found by enumeration, no event
    ASSERT_TRUE(backend.StartHotplug(sink.Listener()));
    EXPECT_FALSE(backend.StartHotplug(sink.Listener()));

    auto arc = Make("arc");
    backend.Plug(arc);
    auto arrivals = sink.WaitFor(4);
    ASSERT_EQ(arrivals.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const auto& e = arrivals[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.kind, HotplugEvent::kArrival);
        EXPECT_EQ(e.path, backend.PathOf(*arc, i));
        EXPECT_TRUE(e.usageKnown);
        EXPECT_EQ(e.usagePage, arc->Interfaces()[static_cast<std::size_t>(i)].usagePage);
    }
    EXPECT_EQ(arrivals[2].usagePage, 0xFF01);
    EXPECT_EQ(arrivals[2].usage, 0x0010);

    const std::string protocolPath = backend.PathOf(*arc, 2);
    backend.Unplug(arc);
    auto removals = sink.WaitFor(4);
    ASSERT_EQ(removals.size(), 4u);
    EXPECT_EQ(removals[2].kind, HotplugEvent::kRemoval);
    EXPECT_EQ(removals[2].path, protocolPath);
    EXPECT_FALSE(removals[2].usageKnown);

    backend.StopHotplug();
    backend.Plug(arc);
    EXPECT_TRUE(sink.WaitFor(0).empty()) << "no events after StopHotplug";
    ASSERT_TRUE(backend.StartHotplug(sink.Listener())) << "can start again";
    backend.Unplug(early);
    EXPECT_EQ(sink.WaitFor(4).size(), 4u);
}

TEST(SimulatedBackendTest, DestroyingTheBackendUnplugsItsDevices) {
    auto arc = Make("arc");
    std::unique_ptr<HidDevice> handle;
    {
        SimulatedHidBackend backend;
        backend.Plug(arc);
        handle = backend.OpenPath(backend.PathOf(*arc, 2));
        ASSERT_TRUE(handle);
    }
    const Bytes query = Query(0x10);
    EXPECT_EQ(handle->Write(query.data(), 33), -1);
    SimulatedHidBackend other;
    EXPECT_TRUE(other.Plug(arc)) << "free to be plugged elsewhere";
}

}  // namespace
}  // namespace vellomir::sim::test
