#include <gtest/gtest.h>

#include "SimRig.h"
#include "device/DeviceIdentity.h"
#include "protocol/Frame.h"

namespace vellomir {
namespace {

using test::kArcType;
using test::kCablePid;
using test::kDriftType;
using test::kReceiverPid;
using test::kVendor;

class DeviceManagerTest : public ::testing::Test {
protected:
    DeviceManagerTest() { test::SimRig::AddCatalogue(); }
    DeviceManager& manager = test::SimRig::Manager();
    test::SimRig rig;
};

TEST_F(DeviceManagerTest, CompositeMouseGivesOneIdentifiedRecord) {
    auto mouse = rig.PlugMouse("ARC1", 0x0107);
    ASSERT_GE(mouse->Interfaces().size(), 3u);  // pointer, keyboard, protocol, loader
    test::SimRig::Rescan();

    const auto records = test::SimRig::AllRecords();
    ASSERT_EQ(records.size(), 1u);
    const DeviceRecord& record = records[0];
    EXPECT_EQ(record.path, rig.Backend().PathOf(*mouse, sim::kProtocolInterface));
    EXPECT_EQ(record.vendor_id, kVendor);
    EXPECT_EQ(record.product_id, kCablePid);
    EXPECT_EQ(record.release_number, 0x0107u);
    EXPECT_EQ(record.dev_mode, kModeCable);
    EXPECT_EQ(record.link_state, kLinkOnline);
    EXPECT_EQ(record.device_id, "ARC1");
    EXPECT_EQ(record.dev_type, kArcType);
    EXPECT_EQ(record.info[kInfoDeviceIdOffset], 'A');
    EXPECT_EQ(record.info[10], mouse->Mouse().Model().sensorCode);
    EXPECT_EQ(record.info[14], 1);       // linked
    EXPECT_EQ(mouse->OpenHandles(), 1);  // only the protocol interface stays open

    // The one exchange was the info query, as a 33-byte query frame.
    const auto writes = test::SimRig::ProtocolWrites(*mouse);
    ASSERT_EQ(writes.size(), 1u);
    std::vector<std::uint8_t> query(kShortRequest, 0);
    query[kCommandOffset] = kInfoQuery;
    EXPECT_EQ(writes[0], query);
    EXPECT_TRUE(manager.IsReady());
}

TEST_F(DeviceManagerTest, ModelsBehindOneReceiverAreToldApartByDeviceId) {
    rig.PlugReceiver("ARC1");
    rig.PlugReceiver("DRF2");
    rig.PlugReceiver("ZZZ9");  // paired with a model the catalogue does not know
    test::SimRig::Rescan();
    auto records = test::SimRig::AllRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].dev_type, kArcType);
    EXPECT_EQ(records[1].dev_type, kDriftType);
    EXPECT_EQ(records[2].dev_type, 0);
    EXPECT_EQ(records[2].device_id, "ZZZ9");
    for (const DeviceRecord& record : records)
        EXPECT_EQ(record.dev_mode, kModeReceiver);

    // A catalogue entry for the receiver without a device id, placed first, stands for every mouse
    // behind it.
    manager.ClearSupported();
    manager.AddSupported(kVendor, kReceiverPid, 9, kModeReceiver, "");
    test::SimRig::AddCatalogue();
    test::SimRig::Rescan();
    records = test::SimRig::AllRecords();
    ASSERT_EQ(records.size(), 3u);
    for (const DeviceRecord& record : records)
        EXPECT_EQ(record.dev_type, kReceiverDeviceType);
}

TEST_F(DeviceManagerTest, UnansweredInfoQueryIsRetriedThenLeavesAnUnidentifiedRecord) {
    auto mouse = rig.PlugMouse("ARC1");
    mouse->DropFrames(sim::SimulatedDevice::kAlways);
    test::SimRig::Rescan();

    const auto records = test::SimRig::AllRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].dev_type, 0);
    EXPECT_EQ(records[0].device_id, "");
    EXPECT_EQ(records[0].info, InfoBlock{});
    EXPECT_EQ(test::SimRig::ProtocolWrites(*mouse).size(), 2u);  // the query and its one retry
    EXPECT_FALSE(manager.IsTypePresent(kArcType));
}

TEST_F(DeviceManagerTest, InfoQueryThatFailsOnceIsIdentifiedByTheRetry) {
    auto mouse = rig.PlugMouse("ARC1");
    mouse->FailWrites(1);
    test::SimRig::Rescan();
    const auto records = test::SimRig::AllRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].dev_type, kArcType);
    EXPECT_EQ(mouse->Log(sim::kProtocolInterface).size(), 2u);
}

TEST_F(DeviceManagerTest, CurrentHandlePrefersCableAndOnlyTheFirstReceiverRecordCounts) {
    auto firstReceiver = rig.PlugReceiver("ARC1");
    auto secondReceiver = rig.PlugReceiver("ARC1");
    test::SimRig::Rescan();
    const auto records = test::SimRig::AllRecords();
    ASSERT_EQ(records.size(), 2u);

    manager.SetCurrentType(kArcType);
    EXPECT_EQ(manager.GetConnectionKind(), kConnectionReceiver);
    EXPECT_EQ(manager.GetCurrentHandle(), records[0].handle);

    // The first receiver's mouse goes off line: no current device, although the second one is on line.
    manager.SetRecordLinkState(records[0].id, kLinkOffline);
    EXPECT_EQ(manager.GetCurrentHandle(), records[0].handle) << "cached until the cache is dropped";
    manager.ClearCachedHandle();
    EXPECT_EQ(manager.GetCurrentHandle(), nullptr);
    EXPECT_FALSE(manager.GetCurrentVidPid());
    EXPECT_EQ(manager.GetConnectionKind(), kConnectionReceiver) << "whatever its link state";

    // A cabled mouse of the same type wins over any receiver.
    auto mouse = rig.PlugMouse("ARC1");
    test::SimRig::Rescan();
    manager.SetCurrentType(kArcType);
    const auto current = manager.GetCurrentRecord();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->dev_mode, kModeCable);
    EXPECT_EQ(current->path, rig.Backend().PathOf(*mouse, sim::kProtocolInterface));
    EXPECT_EQ(manager.GetCurrentHandle(), current->handle);
    EXPECT_EQ(manager.GetConnectionKind(), kConnectionCable);
    EXPECT_EQ(manager.GetCurrentVidPid(), (VidPid{kVendor, kCablePid}));

    // Changing the current type drops the cache.
    manager.SetCurrentType(kDriftType);
    EXPECT_EQ(manager.GetCurrentHandle(), nullptr);
    EXPECT_EQ(manager.GetConnectionKind(), kConnectionNone);
}

TEST_F(DeviceManagerTest, ReadsOfTheRecordList) {
    rig.PlugMouse("ARC1", 0x0107);
    rig.PlugReceiver("DRF2", true, 0x0201);
    rig.PlugReceiver("ARC1", true, 0x0202);
    test::SimRig::Rescan();

    std::vector<DeviceRecord> records;
    EXPECT_TRUE(manager.CollectRecords(false, records));
    EXPECT_EQ(records.size(), 3u) << "current type 0 collects every record";
    manager.SetCurrentType(kArcType);
    EXPECT_TRUE(manager.CollectRecords(false, records));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].release_number, 0x0202u);

    manager.SetLinkState(kArcType, kModeReceiver, kLinkPollOffline);
    EXPECT_TRUE(manager.CollectRecords(true, records));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].dev_mode, kModeCable);
    EXPECT_TRUE(manager.IsTypePresent(kArcType)) << "the cabled one is on line";
    EXPECT_TRUE(manager.IsTypePresent(kDriftType));
    manager.SetLinkState(kDriftType, kModeReceiver, kLinkOffline);
    EXPECT_FALSE(manager.IsTypePresent(kDriftType));
    EXPECT_FALSE(manager.IsTypePresent(7));

    EXPECT_EQ(manager.GetReleaseNumber(kModeCable), 0x0107u);
    EXPECT_EQ(manager.GetReleaseNumber(kModeReceiver), 0x0201u) << "the first receiver record";
    EXPECT_FALSE(manager.GetReleaseNumber(2));

    manager.SetReady(true);
    manager.CloseAll();
    EXPECT_FALSE(manager.CollectRecords(false, records));
    EXPECT_TRUE(records.empty());
    EXPECT_FALSE(manager.GetReleaseNumber(kModeCable));
}

TEST_F(DeviceManagerTest, RescanClosesHandlesAndStaleCopiesFailCleanly) {
    auto mouse = rig.PlugMouse("ARC1");
    test::SimRig::Rescan();
    manager.SetCurrentType(kArcType);
    const std::shared_ptr<DeviceHandle> kept = manager.GetCurrentHandle();
    const auto record = manager.GetCurrentRecord();
    ASSERT_TRUE(kept && record);

    // CloseAll does nothing while the ready flag is clear.
    manager.SetReady(false);
    manager.CloseAll();
    EXPECT_EQ(manager.RecordCount(), 1u);
    EXPECT_TRUE(kept->IsOpen());

    manager.SetReady(true);
    test::SimRig::Rescan();
    EXPECT_EQ(manager.RecordCount(), 1u);
    EXPECT_FALSE(kept->IsOpen());
    EXPECT_EQ(mouse->OpenHandles(), 1) << "the old handle was really closed";
    Frame frame = QueryFrame(0x12);
    EXPECT_EQ(kept->Write(frame.data(), kShortRequest), -1);
    EXPECT_FALSE(manager.SetRecordLinkState(record->id, kLinkOffline));
    EXPECT_FALSE(manager.RequeryInfo(record->id));
    EXPECT_NE(manager.GetCurrentHandle(), kept);
    EXPECT_TRUE(manager.GetCurrentHandle()->IsOpen());
}

TEST_F(DeviceManagerTest, RequeryInfoIdentifiesTheMouseAnew) {
    auto receiver = rig.PlugReceiver("DRF2", false);
    test::SimRig::Rescan();
    auto records = test::SimRig::AllRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].info[14], 0) << "receiver answered, mouse not linked";

    receiver->SetMouseOnline(true);
    ASSERT_TRUE(manager.RequeryInfo(records[0].id));
    records = test::SimRig::AllRecords();
    EXPECT_EQ(records[0].info[14], 1);
    EXPECT_EQ(records[0].device_id, "DRF2");
    EXPECT_EQ(records[0].dev_type, kDriftType);
}

TEST_F(DeviceManagerTest, BootInterfaceIsTheLoaderCollection) {
    auto mouse = rig.PlugMouse("ARC1");
    test::SimRig::Rescan();
    const std::shared_ptr<DeviceHandle> boot = manager.OpenBootInterface(kVendor, kCablePid);
    ASSERT_TRUE(boot);
    EXPECT_EQ(manager.GetBootHandle(), boot);
    const std::uint8_t frame[2] = {5, 0};  // the loader numbers its reports
    boot->Write(frame, sizeof frame);
    EXPECT_EQ(mouse->Log(sim::kLoaderInterface).size(), 1u);

    // The next rescan leaves the boot handle alone.
    test::SimRig::Rescan();
    EXPECT_TRUE(boot->IsOpen());

    EXPECT_EQ(manager.OpenBootInterface(kVendor, 0x0003), nullptr);
    EXPECT_EQ(manager.GetBootHandle(), nullptr);
}

TEST_F(DeviceManagerTest, UnsupportedAndMissingBackendsGiveNoRecords) {
    auto mouse = rig.PlugMouse("ARC1");
    manager.ClearSupported();
    test::SimRig::Rescan();
    EXPECT_EQ(manager.RecordCount(), 0u);
    EXPECT_EQ(mouse->OpenHandles(), 0);

    test::SimRig::AddCatalogue();
    SetHidBackend(nullptr);
    test::SimRig::Rescan();
    EXPECT_EQ(manager.RecordCount(), 0u);
    EXPECT_TRUE(manager.IsReady());
}

}  // namespace
}  // namespace vellomir
