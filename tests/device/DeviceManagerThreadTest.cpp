#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "SimRig.h"

namespace vellomir {
namespace {

TEST(DeviceManagerThreadTest, FirstUseFromTwoThreadsGivesOneManager) {
    DeviceManager* seen[2] = {nullptr, nullptr};
    std::atomic<bool> go{false};
    std::thread a([&] {
        while (!go)
            std::this_thread::yield();
        seen[0] = &DeviceManager::Instance();
        seen[0]->GetConnectionKind();
    });
    std::thread b([&] {
        while (!go)
            std::this_thread::yield();
        seen[1] = &DeviceManager::Instance();
        seen[1]->GetCurrentType();
    });
    go = true;
    a.join();
    b.join();
    EXPECT_NE(seen[0], nullptr);
    EXPECT_EQ(seen[0], seen[1]);
}

// The UI thread reads the manager while the worker rescans: every read sees either no records or a
// whole, consistent list.
TEST(DeviceManagerThreadTest, ReadsDuringRescansSeeWholeRecords) {
    test::SimRig rig;
    test::SimRig::AddCatalogue();
    rig.PlugMouse("ARC1", 0x0107);
    rig.PlugReceiver("ARC1", true, 0x0201);
    DeviceManager& manager = test::SimRig::Manager();
    manager.SetCurrentType(test::kArcType);

    std::atomic<bool> done{false};
    std::atomic<int> inconsistent{0};
    std::atomic<int> sawRecords{0};
    std::thread reader([&] {
        std::vector<DeviceRecord> records;
        while (!done) {
            const int kind = manager.GetConnectionKind();
            if (kind != kConnectionNone && kind != kConnectionCable) ++inconsistent;
            const auto release = manager.GetReleaseNumber(kModeCable);
            if (release && *release != 0x0107u) ++inconsistent;
            manager.IsTypePresent(test::kArcType);
            if (manager.CollectRecords(false, records)) {
                ++sawRecords;
                for (const DeviceRecord& record : records) {
                    if (record.dev_type != test::kArcType || record.device_id != "ARC1") ++inconsistent;
                }
            }
        }
    });
    // Rescan until the reader has met the list many times (bounded, should the reader starve).
    for (int i = 0; i < 5000 && sawRecords < 50; ++i) {
        test::SimRig::Rescan();
        manager.SetCurrentType(test::kArcType);
        // The worker uses the current handle between rescans.
        EXPECT_TRUE(manager.GetCurrentHandle());
    }
    done = true;
    reader.join();
    EXPECT_EQ(inconsistent, 0);
    EXPECT_GT(sawRecords, 0);
}

}  // namespace
}  // namespace vellomir
