#pragma once
// A simulated machine for device tests: installs a SimulatedHidBackend as the process's backend,
// fills the DeviceManager's supported list like a small catalogue, and puts the manager back to its
// empty state before and after each test.

#include <memory>
#include <string>
#include <vector>

#include "device/DeviceManager.h"
#include "device/InstalledBackend.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/SimulatedReceiver.h"

namespace vellomir::test {

inline constexpr std::uint16_t kVendor = 0x1209;
inline constexpr std::uint16_t kCablePid = 0x0001;
inline constexpr std::uint16_t kReceiverPid = 0x0002;
inline constexpr int kArcType = 5;    // device id "ARC1"
inline constexpr int kDriftType = 6;  // device id "DRF2"

class SimRig {
public:
    SimRig() : backend_(std::make_shared<sim::SimulatedHidBackend>()) {
        ResetManager();
        SetHidBackend(backend_);
    }
    ~SimRig() {
        ResetManager();
        SetHidBackend(nullptr);
    }
    SimRig(const SimRig&) = delete;
    SimRig& operator=(const SimRig&) = delete;

    static DeviceManager& Manager() { return DeviceManager::Instance(); }
    sim::SimulatedHidBackend& Backend() { return *backend_; }

    // ARC1 by cable and through the receiver, DRF2 through the receiver only.
    static void AddCatalogue() {
        Manager().AddSupported(kVendor, kCablePid, kArcType, kModeCable, "ARC1");
        Manager().AddSupported(kVendor, kReceiverPid, kArcType, kModeReceiver, "ARC1");
        Manager().AddSupported(kVendor, kReceiverPid, kDriftType, kModeReceiver, "DRF2");
    }

    static sim::UsbIdentity Usb(std::uint16_t productId, std::uint16_t release = 0x0103) {
        sim::UsbIdentity usb;
        usb.vendorId = kVendor;
        usb.productId = productId;
        usb.releaseNumber = release;
        return usb;
    }
    static sim::MouseModel Model(const std::string& deviceId) {
        sim::MouseModel model;
        model.deviceId = deviceId;
        return model;
    }

    std::shared_ptr<sim::SimulatedMouse> PlugMouse(const std::string& deviceId,
                                                   std::uint16_t release = 0x0103) {
        auto mouse = sim::SimulatedMouse::Create(Usb(kCablePid, release), Model(deviceId));
        backend_->Plug(mouse);
        return mouse;
    }
    std::shared_ptr<sim::SimulatedReceiver> PlugReceiver(const std::string& deviceId, bool online = true,
                                                         std::uint16_t release = 0x0201) {
        auto receiver = sim::SimulatedReceiver::Create(Usb(kReceiverPid, release), sim::ReceiverModel{},
                                                       Model(deviceId), online);
        backend_->Plug(receiver);
        return receiver;
    }

    // The full rescan the worker runs.
    static void Rescan() { Manager().RebuildRecords(); }

    static std::vector<DeviceRecord> AllRecords() {
        const int type = Manager().GetCurrentType();
        Manager().SetCurrentType(0);
        std::vector<DeviceRecord> records;
        Manager().CollectRecords(false, records);
        Manager().SetCurrentType(type);
        return records;
    }

    // The frames a device received on its protocol interface (written bytes, unpadded).
    static std::vector<std::vector<std::uint8_t>> ProtocolWrites(const sim::SimulatedDevice& device) {
        std::vector<std::vector<std::uint8_t>> writes;
        for (const sim::FrameRecord& record : device.Log(sim::kProtocolInterface))
            writes.push_back(record.bytes);
        return writes;
    }

private:
    static void ResetManager() {
        Manager().SetReady(true);
        Manager().CloseAll();
        Manager().ClearSupported();
        Manager().SetCurrentType(0);
    }

    std::shared_ptr<sim::SimulatedHidBackend> backend_;
};

}  // namespace vellomir::test
