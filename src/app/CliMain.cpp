// vellomir-cli: the program without its window. It starts the device worker on the real devices (or
// on the simulator when VELLOMIR_SIMULATE names devices), runs the start-up scan and prints what the
// window would show: the title, the device list, the current profile with its DPI stages and report
// rate. --watch keeps it running and prints what the mouse reports until Ctrl-C or SIGTERM; --list
// only prints the catalogue.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/AppIdentity.h"
#include "app/ConsoleWorkerView.h"
#include "app/Folders.h"
#include "app/LanguageTexts.h"
#include "app/Languages.h"
#include "catalogue/Catalogue.h"
#include "common/Text.h"
#include "device/BackendChoice.h"
#include "device/DeviceListModel.h"
#include "device/DeviceManager.h"
#include "device/DeviceWorker.h"
#include "device/InstalledBackend.h"
#include "device/JobCodes.h"
#include "profiles/ConfigKeys.h"
#include "protocol/ProfileValues.h"
#include "protocol/ReportRates.h"
#include "storage/ConfigDatabase.h"
#include "storage/ProfileStore.h"

namespace vellomir {
namespace {

const char* ModeName(int value) {
    switch (value) {
        case 0:
            return "cable";
        case 1:
            return "receiver";
        default:
            return "other";
    }
}

void PrintCatalogue(const Catalogue& catalogue, const std::filesystem::path& folder) {
    std::printf("%s %s\n", AppIdentity::Instance().DeviceName().c_str(), catalogue.software.version.c_str());
    std::printf("Program folder: %s\n", folder.c_str());
    std::printf("Languages:");
    for (const LanguageName& language : OfferedLanguages(AppIdentity::Instance().ListedLanguages())) {
        std::printf(" %d (%s)", language.lcid, language.name);
    }
    std::printf("\nModels: %zu\n", catalogue.models.size());
    for (const CatalogueEntry& model : catalogue.models) {
        std::printf("  %s  device type %d, description %s\n", model.name.c_str(), model.device_type,
                    model.description_stem.c_str());
        for (const CatalogueEntry& mode : catalogue.modes) {
            if (mode.device_type != model.device_type || mode.name != model.name) continue;
            std::printf("    mode %d (%s): %04X:%04X device id %s%s%s\n", mode.mode_value,
                        ModeName(mode.mode_value), static_cast<unsigned>(mode.vendor_id) & 0xFFFF,
                        static_cast<unsigned>(mode.product_id) & 0xFFFF, mode.device_id.c_str(),
                        mode.interface_text.empty() ? "" : ", interface ", mode.interface_text.c_str());
        }
    }
}

void PrintDevices(ConsoleWorkerView& view, const DeviceListModel& list) {
    view.Print("Devices:");
    for (const DeviceListEntry& entry : list.Entries()) {
        if (!entry.shown) {
            view.Print(StrFormat("  %s: not present", entry.name.c_str()));
            continue;
        }
        view.Print(StrFormat("  %s: %s, %s, version %s, battery %d/%d%s", entry.name.c_str(),
                             entry.mode == 1 ? "receiver" : "cable", entry.Present() ? "on line" : "off line",
                             FormatReleaseNumber(entry.version).c_str(), entry.batteryA, entry.batteryB,
                             entry.deviceType == list.GetSelectDevice() ? " (selected)" : ""));
    }
}

std::string ReportRateText(int code, int capability) {
    for (const ReportRateItem& item : ReportRateItems(capability)) {
        if (item.code == code) return item.text;
    }
    return StrFormat("code %d", code);
}

void PrintProfile(ConsoleWorkerView& view, const DeviceState& state) {
    const int current = state.CurrentProfile();
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    std::string names;
    for (const ProfileInfo& profile : profiles) {
        if (!names.empty()) names += ", ";
        names += profile.name;
    }
    view.Print(StrFormat("Profiles: %s", names.c_str()));
    std::string name;
    GetProfileName(current, name);
    view.Print(StrFormat("Current profile: %s", name.c_str()));
    const int count = ReadProfileInt(current, "dpi_count");
    const int index = ReadProfileInt(current, "dpi_index");
    view.Print(StrFormat("DPI stages: %d (dpi_count), active stage %d (dpi_index)", count, index));
    for (int stage = 0; stage < count; ++stage) {
        view.Print(StrFormat("  stage %d: %d DPI%s", stage,
                             ReadProfileInt(current, config_key::DpiValue(stage)),
                             stage == index ? "  <- active" : ""));
    }
    view.Print("Report rate: " +
               ReportRateText(ReadProfileInt(current, "report_rate"), state.ReportRateCapability()));
}

int Run(bool watch) {
    // Ctrl-C and SIGTERM are taken by sigwait below; blocked before any thread starts, so that every
    // thread inherits the mask and none of them is interrupted.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    if (watch) pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const std::filesystem::path folder = GetProgramFolder();
    if (!LoadAppIdentity(folder)) {
        std::fprintf(stderr, "No usable catalogue at %s\n", CatalogueFile(folder).c_str());
        return 1;
    }
    ChooseLanguage();
    Catalogue catalogue;
    if (!LoadCatalogue(catalogue, folder, DefaultSkinDeviceFolder(folder), {})) {
        std::fprintf(stderr, "No usable catalogue at %s\n", CatalogueFile(folder).c_str());
        return 1;
    }
    std::shared_ptr<HidBackend> backend = ChooseHidBackend();
    SetHidBackend(backend);

    DeviceListModel list;
    for (const CatalogueEntry& model : catalogue.models)
        list.AddDevice(model.name, model.device_type);
    const auto text = [](int id) { return GetText(id); };
    ConsoleWorkerView view(stdout, text, list);
    ModelSession session(catalogue, folder, GetUserDataFolder(), view);
    DeviceState state;
    DeviceWorker worker(WorkerEnvironment{session, state, view, text, {}});

    worker.QueueJob(kJobStartupScan);
    worker.StartWorker();
    // A job always runs to its end, so this wait ends too.
    while (worker.JobsRun() < 1)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));

    view.Print("");
    view.Print("Title: " + GetText(view.LastTitle()));
    PrintDevices(view, list);
    if (DeviceManager::Instance().GetConnectionKind() != kConnectionNone && state.CurrentProfile() > 0) {
        PrintProfile(view, state);
    }

    if (watch) {
        view.Print("");
        view.Print("Watching the devices; Ctrl-C ends.");
        backend->StartHotplug([&](const HotplugEvent& event) { worker.OnHotplug(event); });
        int received = 0;
        sigwait(&stopSignals, &received);
        backend->StopHotplug();
        view.Print(StrFormat("Stopping (%s).", received == SIGTERM ? "SIGTERM" : "SIGINT"));
    }

    if (!worker.StopWorker()) view.Print("The device worker is still inside a job; waiting for it.");
    worker.JoinWorker();
    ConfigDatabase::Instance().CloseIfOpen();
    SetHidBackend(nullptr);
    return 0;
}

}  // namespace
}  // namespace vellomir

int main(int argc, char** argv) {
    using namespace vellomir;
    bool watch = false;
    bool listOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--watch") == 0) {
            watch = true;
        } else if (std::strcmp(argv[i], "--list") == 0) {
            listOnly = true;
        } else {
            std::fprintf(stderr, "usage: %s [--watch | --list]\n", argv[0]);
            return 2;
        }
    }
    if (listOnly) {
        const std::filesystem::path folder = GetProgramFolder();
        if (!LoadAppIdentity(folder)) {
            std::fprintf(stderr, "No usable catalogue at %s\n", CatalogueFile(folder).c_str());
            return 1;
        }
        Catalogue catalogue;
        LoadCatalogue(catalogue, folder, DefaultSkinDeviceFolder(folder), {});
        PrintCatalogue(catalogue, folder);
        return 0;
    }
    return Run(watch);
}
