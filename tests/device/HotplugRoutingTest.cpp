#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "SimRig.h"
#include "device/HotplugRouting.h"

namespace vellomir {
namespace {

using test::kCablePid;
using test::kReceiverPid;
using test::kVendor;

// The catalogue's mode list: the receiver first, as a catalogue may list it.
const std::vector<VidPid> kModes = {{kVendor, kReceiverPid}, {kVendor, kCablePid}};

// Collects the hot-plug events a backend raises.
class EventSink {
public:
    HidBackend::HotplugListener Listener() {
        return [this](const HotplugEvent& event) {
            std::lock_guard lock(mutex_);
            events_.push_back(event);
            arrived_.notify_all();
        };
    }
    std::vector<HotplugEvent> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, std::chrono::seconds(5), [&] { return events_.size() >= count; });
        std::vector<HotplugEvent> events;
        events.swap(events_);
        return events;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<HotplugEvent> events_;
};

std::vector<int> JobsFor(const HotplugEvent& event, bool connected) {
    std::vector<int> jobs;
    UpdateUSBDevice(event, kModes, connected, [&jobs](int job) { jobs.push_back(job); });
    return jobs;
}

TEST(HotplugRoutingTest, SimulatedPlugAndUnplugBecomeJobs) {
    for (const bool lowerCase : {false, true}) {
        SCOPED_TRACE(lowerCase ? "lower-case paths" : "upper-case paths");
        sim::SimulatedHidBackend backend;
        backend.SetLowerCasePaths(lowerCase);
        EventSink sink;
        ASSERT_TRUE(backend.StartHotplug(sink.Listener()));
        auto mouse = sim::SimulatedMouse::Create(test::SimRig::Usb(kCablePid), test::SimRig::Model("ARC1"));
        backend.Plug(mouse);
        const std::size_t interfaces = mouse->Interfaces().size();
        const auto arrivals = sink.WaitFor(interfaces);
        ASSERT_EQ(arrivals.size(), interfaces);

        // Every interface of the mouse arrives; only the protocol collection queues the rescan.
        std::vector<int> jobs;
        for (const HotplugEvent& event : arrivals) {
            EXPECT_EQ(event.kind, HotplugEvent::kArrival);
            for (int job : JobsFor(event, false))
                jobs.push_back(job);
        }
        EXPECT_EQ(jobs, std::vector<int>{kJobArrivalScan});

        backend.Unplug(mouse);
        const auto removals = sink.WaitFor(interfaces);
        ASSERT_EQ(removals.size(), interfaces);
        jobs.clear();
        std::vector<int> jobsWhileDisconnected;
        for (const HotplugEvent& event : removals) {
            EXPECT_EQ(event.kind, HotplugEvent::kRemoval);
            for (int job : JobsFor(event, true))
                jobs.push_back(job);
            for (int job : JobsFor(event, false))
                jobsWhileDisconnected.push_back(job);
        }
        EXPECT_EQ(jobs, std::vector<int>{kJobRemovalScan}) << "interface 2 only";
        EXPECT_TRUE(jobsWhileDisconnected.empty());
        backend.StopHotplug();
    }
}

TEST(HotplugRoutingTest, PathAndUsageRules) {
    auto arrival = [](const char* path, bool usageKnown, std::uint16_t page, std::uint16_t usage) {
        HotplugEvent event;
        event.kind = HotplugEvent::kArrival;
        event.path = path;
        event.usageKnown = usageKnown;
        event.usagePage = page;
        event.usage = usage;
        return event;
    };
    auto removal = [](const char* path) {
        HotplugEvent event;
        event.kind = HotplugEvent::kRemoval;
        event.path = path;
        return event;
    };
    struct Case {
        const char* name;
        HotplugEvent event;
        std::vector<int> jobs;
    } cases[] = {
        {"udev arrival",
         arrival("/dev/hidraw3#VID_1209&PID_0001&MI_02", true, 0xFF01, 0x0010),
         {kJobArrivalScan}},
        {"lower case",
         arrival("/dev/hidraw3#vid_1209&pid_0002&mi_00", true, 0x0001, 0x0000),
         {kJobArrivalScan}},
        {"usage not read", arrival("/dev/hidraw3#VID_1209&PID_0001&MI_02", false, 0, 0), {}},
        {"pointer collection", arrival("/dev/hidraw3#VID_1209&PID_0001&MI_00", true, 0x0001, 0x0002), {}},
        {"other product", arrival("/dev/hidraw3#VID_1209&PID_0003&MI_02", true, 0xFF01, 0x0010), {}},
        // Product 0x0001 must not be found as "PID_1" inside another product id.
        {"no prefix match", arrival("/dev/hidraw3#VID_1209&PID_1234&MI_02", true, 0xFF01, 0x0010), {}},
        {"removal", removal("/dev/hidraw3#vid_1209&pid_0002&mi_02"), {kJobRemovalScan}},
        {"removal of another interface", removal("/dev/hidraw3#VID_1209&PID_0002&MI_01"), {}},
        {"removal without ids", removal("/dev/hidraw3"), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JobsFor(c.event, true), c.jobs) << c.name;

    // Nothing is queued while the list of modes is empty or without a callback.
    std::vector<int> jobs;
    UpdateUSBDevice(cases[0].event, {}, true, [&jobs](int job) { jobs.push_back(job); });
    EXPECT_TRUE(jobs.empty());
    UpdateUSBDevice(cases[0].event, kModes, true, nullptr);
}

}  // namespace
}  // namespace vellomir
