// The device worker's responsiveness and its idle cost, on the simulated Arc:
//  - latency from queueing a DPI job (9) while the worker is idle and connected to the moment the
//    mouse receives the first byte of the 0x03 frame (the frame log's write time), p50 and p99 over 200
//    changes queued at random moments;
//  - worker wake-ups (steps) per second while idle, with the mouse connected and with no device.
// Runs in a temporary XDG sandbox, so no user file is touched.

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/AppIdentity.h"
#include "app/Folders.h"
#include "app/LanguageTexts.h"
#include "app/Languages.h"
#include "catalogue/Catalogue.h"
#include "device/DeviceManager.h"
#include "device/DeviceWorker.h"
#include "device/InstalledBackend.h"
#include "device/JobCodes.h"
#include "device/QuietWorkerView.h"
#include "profiles/ConfigKeys.h"
#include "protocol/Notifications.h"
#include "protocol/ProfileValues.h"
#include "sim/SimulatePresets.h"
#include "sim/SimulatedHidBackend.h"
#include "sim/SimulatedMouse.h"
#include "storage/ConfigDatabase.h"

namespace vellomir {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The window is not part of what is measured; the device list answers like the real one.

// One worker on its own backend, started with job 1 run.
struct Rig {
    Rig(const Catalogue& catalogue, const std::filesystem::path& program,
        std::shared_ptr<sim::SimulatedHidBackend> simulated)
        : backend(std::move(simulated)),
          view(catalogue),
          session(catalogue, program, GetUserDataFolder(), view),
          worker(WorkerEnvironment{session, state, view, [](int id) { return GetText(id); }, {}}) {
        SetHidBackend(backend);
        worker.QueueJob(kJobStartupScan);
        worker.StartWorker();
        while (worker.JobsRun() < 1)
            std::this_thread::sleep_for(1ms);
    }
    ~Rig() {
        worker.StopWorker();
        worker.JoinWorker();
        ConfigDatabase::Instance().CloseIfOpen();
        SetHidBackend(nullptr);
    }

    std::shared_ptr<sim::SimulatedHidBackend> backend;
    QuietWorkerView view;
    ModelSession session;
    DeviceState state;
    DeviceWorker worker;
};

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

// Steps per second of an idle worker over `span`, and the polls among them.
void MeasureIdle(const char* label, DeviceWorker& worker, std::chrono::milliseconds span) {
    std::this_thread::sleep_for(200ms);  // let the start-up settle
    const unsigned long steps = worker.StepCount();
    const unsigned long polls = worker.PollsRun();
    std::this_thread::sleep_for(span);
    const double seconds = std::chrono::duration<double>(span).count();
    std::printf("idle %-22s %8.1f wake-ups/s, %8.1f polls/s\n", label,
                static_cast<double>(worker.StepCount() - steps) / seconds,
                static_cast<double>(worker.PollsRun() - polls) / seconds);
}

int Run() {
    // A sandbox for the user data and settings.
    std::string pattern = (std::filesystem::temp_directory_path() / "vellomir-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const std::filesystem::path sandbox = pattern;
    ::setenv("XDG_DATA_HOME", (sandbox / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (sandbox / "config").c_str(), 1);

    const std::filesystem::path program = GetProgramFolder();
    if (!LoadAppIdentity(program)) {
        std::fprintf(stderr, "no catalogue in %s\n", program.c_str());
        return 1;
    }
    ChooseLanguage();
    Catalogue catalogue;
    LoadCatalogue(catalogue, program, DefaultSkinDeviceFolder(program), {});

    constexpr int kChanges = 200;
    std::vector<double> latencies;
    {
        auto backend = std::make_shared<sim::SimulatedHidBackend>();
        const sim::SimDeviceSpec arc = *sim::FindPreset("arc");
        auto mouse = sim::SimulatedMouse::Create(arc.usb, arc.mouse);
        backend->Plug(mouse);
        Rig rig(catalogue, program, backend);
        const int profile = rig.state.CurrentProfile();

        std::mt19937 random(12345);
        std::uniform_int_distribution<int> pauseUs(0, 120000);  // spread over more than one poll read
        for (int i = 0; i < kChanges; ++i) {
            std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(random)));
            WriteProfileInt(profile, config_key::DpiValue(1), 800 + 100 * (i % 8));
            mouse->ClearLog();
            const unsigned long done = rig.worker.JobsRun();
            const Clock::time_point queued = Clock::now();
            rig.worker.QueueJob(kJobWriteDpi);
            while (rig.worker.JobsRun() == done)
                std::this_thread::sleep_for(100us);
            for (const sim::FrameRecord& frame : mouse->Log(sim::kProtocolInterface)) {
                if (frame.bytes.size() > 1 && frame.bytes[1] == 0x03) {
                    latencies.push_back(
                        std::chrono::duration<double, std::milli>(frame.time - queued).count());
                    break;
                }
            }
        }
        std::printf("queue-to-first-byte of job 9 (%zu changes, worker idle, mouse connected):\n",
                    latencies.size());
        std::printf("  p50 %8.3f ms   p99 %8.3f ms   max %8.3f ms\n", Percentile(latencies, 0.50),
                    Percentile(latencies, 0.99), *std::max_element(latencies.begin(), latencies.end()));
        std::printf("  as a share of the poll's %d ms read: p50 %.3f, p99 %.3f\n", kCurrentDeviceReadMs,
                    Percentile(latencies, 0.50) / kCurrentDeviceReadMs,
                    Percentile(latencies, 0.99) / kCurrentDeviceReadMs);
        MeasureIdle("with the mouse", rig.worker, 3s);
    }
    {
        Rig rig(catalogue, program, std::make_shared<sim::SimulatedHidBackend>());
        MeasureIdle("without a device", rig.worker, 3s);
    }
    std::error_code ec;
    std::filesystem::remove_all(sandbox, ec);
    return latencies.size() == kChanges ? 0 : 1;
}

}  // namespace
}  // namespace vellomir

int main() {
    return vellomir::Run();
}
