// Times two device procedures against the simulated mouse with its 1 ms link timing (every report takes
// 1 ms on the wire, each way, one at a time), and prints each time as a ratio of its floor:
//  - a 64 KiB firmware image into the loader, against (n / 48 frames) x 1 ms;
//  - writing a whole profile (keys with a pending macro, light, DPI stages and colours, report rate,
//    sensor and power options), against its number of transactions x 2 ms.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "device/DeviceManager.h"
#include "device/InstalledBackend.h"
#include "device/QuietWorkerView.h"
#include "profiles/ConfigKeys.h"
#include "protocol/DeviceState.h"
#include "protocol/DeviceView.h"
#include "protocol/FirmwareFlash.h"
#include "protocol/ProtocolContext.h"
#include "protocol/ReadDeviceConfig.h"
#include "protocol/SettingWrites.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "storage/ConfigDatabase.h"
#include "storage/KeyBindingStore.h"
#include "storage/LightStore.h"
#include "storage/MacroStore.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

bool PrepareProfile(const std::filesystem::path& folder, DeviceState& state) {
    if (!ConfigDatabase::Instance().OpenForDevice(folder, "bench")) return false;
    ProfileInfo info;
    info.name = "Profile 1";
    const int profile = InsertProfile(info, DefaultConfig());
    if (profile <= 0) return false;
    ActivateProfile(profile);
    state.SetCurrentProfile(profile);

    LightSetting light;
    light.profile = profile;
    light.mode = 2;
    light.brightness = 3;
    light.speed = 2;
    light.color_value = {0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    InsertLight(light);
    state.SetCurrentLightMode(2);

    const int macro = CreateMacro("Custom 1");
    std::vector<MacroEvent> events;
    const int steps[][2] = {{2, 65}, {1, 30}, {3, 65}, {2, 66}, {1, 20}, {3, 66}};
    for (int i = 0; i < 6; ++i) {
        MacroEvent event;
        event.macro_id = macro;
        event.type = steps[i][0];
        event.value = steps[i][1];
        event.record_index = i;
        events.push_back(event);
    }
    InsertMacroEvents(events);
    const int bindings[][4] = {{3, 4, macro, 0}, {4, 2, 0x06, 0x01}, {5, 5, 1, 0}};
    for (const auto& b : bindings) {
        KeyBinding binding;
        binding.profile = profile;
        binding.key_code = b[0];
        binding.macro_type = b[1];
        binding.macro_value = b[2];
        binding.macro_value2 = b[3];
        SaveKeyBinding(binding);
    }
    state.SetPendingMacro(3);
    return true;
}

int Run() {
    auto backend = std::make_shared<sim::SimulatedHidBackend>();
    SetHidBackend(backend);
    sim::UsbIdentity usb;
    usb.vendorId = 0x1209;
    usb.productId = 0x0001;
    sim::MouseModel model;
    model.sensorCode = 0x11;
    auto mouse = sim::SimulatedMouse::Create(usb, model);
    backend->Plug(mouse);

    DeviceManager& manager = DeviceManager::Instance();
    manager.AddSupported(usb.vendorId, usb.productId, 7, 0, model.deviceId);
    manager.RebuildRecords();
    manager.SetCurrentType(7);

    char folderTemplate[] = "/tmp/vellomir-bench-XXXXXX";
    const char* folder = mkdtemp(folderTemplate);
    if (folder == nullptr) return 1;
    DeviceState state;
    QuietWorkerView view;  // the window is not part of what is measured
    int failures = 0;
    const ProtocolContext context{state, view, [&failures] { ++failures; }};
    if (!PrepareProfile(folder, state) || !ReadDeviceConfig(context)) {
        std::fprintf(stderr, "set-up failed\n");
        return 1;
    }
    // The light mode read back from the mouse has no stored row here; write the one the profile has.
    state.SetCurrentLightMode(2);
    mouse->SetLinkTiming(true);

    // What a bare 1 ms wait costs on this machine right now: the link model waits once per report.
    const auto sleepStart = Clock::now();
    for (int i = 0; i < 500; ++i)
        std::this_thread::sleep_until(Clock::now() + std::chrono::milliseconds(1));
    const double sleepMs = Milliseconds(Clock::now() - sleepStart) / 500;
    std::printf("a 1 ms wait takes %.3f ms here\n", sleepMs);

    // Firmware transfer.
    std::vector<std::uint8_t> image(64 * 1024);
    std::mt19937 random(1);
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(random());
    const auto flashStart = Clock::now();
    const FlashResult flash = FlashImage(image, nullptr);
    const double flashMs = Milliseconds(Clock::now() - flashStart);
    const bool intact = flash.complete && mouse->Loader().Image() == image;
    const double flashFloor = static_cast<double>(image.size() / 48) * 1.0;
    std::printf(
        "firmware 64 KiB: %.1f ms, floor %zu frames x 1 ms = %.0f ms, ratio %.3f (%.3f against the measured "
        "wait)%s\n",
        flashMs, image.size() / 48, flashFloor, flashMs / flashFloor, flashMs / (flashFloor * sleepMs),
        intact ? "" : " (IMAGE NOT INTACT)");

    // Whole profile.
    mouse->ClearLog();
    const auto writeStart = Clock::now();
    const int failed = WriteAll(context, true);
    const double writeMs = Milliseconds(Clock::now() - writeStart);
    const std::size_t transactions = mouse->Log(sim::kProtocolInterface).size();
    const double writeFloor = static_cast<double>(transactions) * 2.0;
    std::printf(
        "whole profile: %.1f ms, floor %zu transactions x 2 ms = %.0f ms, ratio %.3f (%.3f against the "
        "measured wait)%s\n",
        writeMs, transactions, writeFloor, writeMs / writeFloor, writeMs / (writeFloor * sleepMs),
        failed == 0 ? "" : " (WRITES FAILED)");

    ConfigDatabase::Instance().CloseIfOpen();
    std::filesystem::remove_all(folder);
    manager.SetReady(true);
    manager.CloseAll();
    SetHidBackend(nullptr);
    return intact && failed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace vellomir

int main() {
    return vellomir::Run();
}
