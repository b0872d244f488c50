#pragma once
// A simulated machine and a fresh configuration database for the device procedures: a mouse model of
// device type 7 known by cable (product 1) and through its receiver (product 2), one profile with the
// default configuration, the shared state, a recording view and a counter standing in
// for the worker's communication-failure handling.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingView.h"
#include "TempDir.h"
#include "device/DeviceManager.h"
#include "device/InstalledBackend.h"
#include "profiles/ConfigKeys.h"
#include "protocol/ProfileValues.h"
#include "protocol/ProtocolContext.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "sim/SimulatedReceiver.h"
#include "storage/ConfigDatabase.h"
#include "storage/ConfigStore.h"
#include "storage/ProfileStore.h"

namespace vellomir::test {

inline constexpr std::uint16_t kVendor = 0x1209;
inline constexpr std::uint16_t kCableProduct = 0x0001;
inline constexpr std::uint16_t kReceiverProduct = 0x0002;
inline constexpr int kDeviceType = 7;

class ProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetManager();
        SetHidBackend(backend_);
        ConfigDatabase::Instance().CloseIfOpen();
        ASSERT_TRUE(ConfigDatabase::Instance().OpenForDevice(dir_.path(), "proto"));
        ProfileInfo info;
        info.name = "Profile 1";
        profile_ = InsertProfile(info, DefaultConfig());
        ASSERT_GT(profile_, 0);
        ActivateProfile(profile_);
        state_.SetCurrentProfile(profile_);
    }

    void TearDown() override {
        ResetManager();
        SetHidBackend(nullptr);
        ConfigDatabase::Instance().CloseIfOpen();
    }

    static sim::UsbIdentity Usb(std::uint16_t product) {
        sim::UsbIdentity usb;
        usb.vendorId = kVendor;
        usb.productId = product;
        return usb;
    }

    std::shared_ptr<sim::SimulatedMouse> PlugMouse(const sim::MouseModel& model) {
        auto mouse = sim::SimulatedMouse::Create(Usb(kCableProduct), model);
        backend_->Plug(mouse);
        return mouse;
    }
    std::shared_ptr<sim::SimulatedReceiver> PlugReceiver(const sim::MouseModel& model, bool online) {
        auto receiver =
            sim::SimulatedReceiver::Create(Usb(kReceiverProduct), sim::ReceiverModel{}, model, online);
        backend_->Plug(receiver);
        return receiver;
    }

    // The worker's rescan, with the model chosen as the current device.
    static void Rescan() {
        DeviceManager& manager = DeviceManager::Instance();
        manager.ClearSupported();
        manager.AddSupported(kVendor, kCableProduct, kDeviceType, kModeCable, "ARC1");
        manager.AddSupported(kVendor, kReceiverProduct, kDeviceType, kModeReceiver, "ARC1");
        manager.RebuildRecords();
        manager.SetCurrentType(kDeviceType);
    }

    // Requests the device received on its protocol interface (report id first).
    static std::vector<std::vector<std::uint8_t>> Writes(const sim::SimulatedDevice& device) {
        std::vector<std::vector<std::uint8_t>> writes;
        for (const sim::FrameRecord& record : device.Log(sim::kProtocolInterface))
            writes.push_back(record.bytes);
        return writes;
    }
    // The commands among them.
    static std::vector<int> Commands(const sim::SimulatedDevice& device) {
        std::vector<int> commands;
        for (const auto& write : Writes(device))
            commands.push_back(write.size() > 1 ? write[1] : -1);
        return commands;
    }

    int Config(const std::string& key) const { return ReadProfileInt(profile_, key); }
    void SetConfig(const std::string& key, int value) { ASSERT_TRUE(WriteProfileInt(profile_, key, value)); }

    TempDir dir_;
    std::shared_ptr<sim::SimulatedHidBackend> backend_ = std::make_shared<sim::SimulatedHidBackend>();
    int profile_ = 0;
    DeviceState state_;
    RecordingView view_;
    int failures_ = 0;
    ProtocolContext context_{state_, view_, [this] { ++failures_; }};

private:
    static void ResetManager() {
        DeviceManager& manager = DeviceManager::Instance();
        manager.SetReady(true);
        manager.CloseAll();
        manager.ClearSupported();
        manager.SetCurrentType(0);
    }
};

}  // namespace vellomir::test
