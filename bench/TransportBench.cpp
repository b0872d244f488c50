// Runs 1,000 transactions (query 0x12, 33 bytes) through the DeviceManager's current device against a
// simulated mouse and prints, from one run:
//  - with link timing (every report takes 1 ms on the wire, each way, one at a time): transactions per
//    second against the link's limit. A transaction is one report out and one back, so the link allows
//    at most 500 per second; the ratio shows how much of that the program uses.
//  - without link timing: the time per transaction, next to a bare write and read on the same handle
//    (the simulator's own share), so the difference is what Transact and the manager add.

#include <chrono>
#include <cstdio>
#include <memory>

#include "device/CurrentTransaction.h"
#include "device/DeviceManager.h"
#include "device/InstalledBackend.h"
#include "protocol/Frame.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"

namespace {

using namespace vellomir;
using Clock = std::chrono::steady_clock;

constexpr int kTransactions = 1000;
constexpr double kLinkLimitPerSecond = 1000.0 / 2.0;  // one report each way per millisecond, in turn

// Seconds for `count` transactions; -1 when one failed.
double TimeTransactions(int count) {
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        Frame frame = QueryFrame(0x12);
        if (!Transact(frame, kShortRequest)) return -1;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Seconds for `count` bare exchanges: one write and reads until a report arrives.
double TimeBareExchanges(HidDevice& device, int count) {
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        Frame frame = QueryFrame(0x12);
        if (device.Write(frame.data(), kShortRequest) < 1) return -1;
        while (device.ReadTimeout(frame.data(), kShortRequest, 30) <= 0) {
        }
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main() {
    auto backend = std::make_shared<sim::SimulatedHidBackend>();
    sim::UsbIdentity usb;
    auto mouse = sim::SimulatedMouse::Create(usb, sim::MouseModel{});
    backend->Plug(mouse);
    SetHidBackend(backend);

    DeviceManager& manager = DeviceManager::Instance();
    manager.AddSupported(usb.vendorId, usb.productId, 1, 0, sim::MouseModel{}.deviceId);
    manager.RebuildRecords();
    manager.SetCurrentType(1);
    const std::shared_ptr<DeviceHandle> handle = manager.GetCurrentHandle();
    if (!handle) {
        std::fprintf(stderr, "bench_transport: the simulated mouse was not found\n");
        return 1;
    }
    if (TimeTransactions(50) < 0) return 1;  // warm-up

    mouse->SetLinkTiming(true);
    const double timed = TimeTransactions(kTransactions);
    mouse->SetLinkTiming(false);
    const double untimed = TimeTransactions(kTransactions);
    const double bare = TimeBareExchanges(*handle, kTransactions);
    if (timed < 0 || untimed < 0 || bare < 0) {
        std::fprintf(stderr, "bench_transport: a transaction failed\n");
        return 1;
    }

    const double timedRate = kTransactions / timed;
    std::printf("%d transactions of 33 bytes against a simulated mouse\n", kTransactions);
    std::printf("with 1 ms link timing:  %.0f transactions/s, link limit %.0f/s, ratio %.3f\n", timedRate,
                kLinkLimitPerSecond, timedRate / kLinkLimitPerSecond);
    const double perTransaction = untimed / kTransactions * 1e6;
    const double perBare = bare / kTransactions * 1e6;
    std::printf(
        "without link timing:    %.1f us per transaction (%.0f/s); bare write+read %.1f us; "
        "Transact adds %.1f us (%.2fx the bare exchange)\n",
        perTransaction, kTransactions / untimed, perBare, perTransaction - perBare, perTransaction / perBare);
    SetHidBackend(nullptr);
    return 0;
}
