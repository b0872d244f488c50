#include "device/DeviceWorker.h"

#include <chrono>
#include <thread>
#include <vector>

#include "catalogue/Catalogue.h"
#include "common/Trace.h"
#include "device/DeviceManager.h"
#include "device/HotplugRouting.h"
#include "device/JobCodes.h"
#include "profiles/DeviceDefaults.h"
#include "profiles/Profiles.h"
#include "protocol/KeyWrites.h"
#include "protocol/Notifications.h"
#include "protocol/ReadDeviceConfig.h"
#include "protocol/SettingWrites.h"
#include "storage/KeyBindingStore.h"
#include "storage/ProfileStore.h"

namespace vellomir {

namespace {

constexpr int kTextProfileWord = 61;

// Hands the catalogue's identities to the device manager's supported list.
class ManagerSupportedList : public SupportedListSink {
public:
    void ClearSupported() override { DeviceManager::Instance().ClearSupported(); }
    void AddSupported(int vendorId, int productId, int deviceType, int modeValue,
                      const std::string& deviceId) override {
        DeviceManager::Instance().AddSupported(static_cast<std::uint32_t>(vendorId),
                                               static_cast<std::uint32_t>(productId), deviceType, modeValue,
                                               deviceId);
    }
};

}  // namespace

DeviceWorker::DeviceWorker(WorkerEnvironment environment)
    : env_(std::move(environment)),
      queue_([this] { Wake(); }),
      connection_(env_.state, env_.view, env_.model),
      context_{env_.state, env_.view, [this] { connection_.OnCommunicationFailure(); },
               [this] { return !queue_.Empty(); }} {
    for (const CatalogueEntry& mode : env_.model.catalogue().modes) {
        modes_.push_back(
            {static_cast<std::uint32_t>(mode.vendor_id), static_cast<std::uint32_t>(mode.product_id)});
    }
}

void DeviceWorker::OnHotplug(const HotplugEvent& event) {
    UpdateUSBDevice(event, modes_, connection_.Connected(), [this](int job) { QueueJob(job); });
}

DeviceWorker::~DeviceWorker() {
    StopWorker();
    JoinWorker();
}

void DeviceWorker::QueueJob(int code) {
    queue_.Push(code);
}

void DeviceWorker::WorkerStep() {
    if (auto code = queue_.Pop()) {
        RunJob(*code);
        return;
    }
    if (connection_.Connected()) {
        PollNotification(context_);
        ++pollsRun_;
    }
}

bool DeviceWorker::IdleUntilWoken() {
    return queue_.Empty() && !connection_.Connected();
}

void DeviceWorker::RunJob(int code) {
    switch (code) {
        case kJobStartupScan:
            FullRefresh();
            ScanAndRead(false);
            break;
        case kJobArrivalScan:
            FullRefresh();
            ScanAndRead(true);
            break;
        case kJobRemovalScan:
            RemovalScan();
            break;
        case kJobSelectDevice:
            SelectDevice();
            break;
        case kJobWriteAll:
            WriteAllJob();
            break;
        case kJobWriteKeys:
            WriteKeys(context_);
            break;
        case kJobWriteLight:
            WriteLight(context_);
            break;
        case kJobWriteDpi:
            WriteDpiStages(context_);
            break;
        case kJobWriteDpiColours:
            WriteDpiColours(context_);
            break;
        case kJobWriteReportRate:
            WriteReportRate(context_);
            break;
        case kJobWriteSensor:
            WriteSensor(context_);
            break;
        case kJobWritePower:
            WritePower(context_);
            break;
        case kJobResetLight:
            ResetLight(context_);
            break;
        case kJobResetDpi:
            ResetDpi();
            break;
        case kJobFactoryReset:
            FactoryReset();
            break;
        case kJobCheckSoftwareUpdate:
        case kJobCheckFirmwareUpdate:
        case kJobDownloadSoftware:
        case kJobUpdateFirmware:
            if (!env_.runUpdateJob) return;
            env_.runUpdateJob(code);
            break;
        default:
            return;  // codes without an entry are dropped
    }
    ++jobsRun_;
}

void DeviceWorker::FullRefresh() {
    ManagerSupportedList supported;
    FillSupported(env_.model.catalogue().modes, supported);
    DeviceManager& manager = DeviceManager::Instance();
    manager.CloseAll();
    manager.EnumerateDevice();
    manager.SetReady(true);
    connection_.ActivateModel(connection_.CurrentDeviceType());
}

void DeviceWorker::ScanAndRead(bool pause) {
    if (pause) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    env_.state.SetMouseLinked(0);
    connection_.Rescan();
    if (DeviceManager::Instance().GetConnectionKind() == kConnectionNone) return;
    SetUpProfiles();
    env_.view.RefreshPages();
    if (ReadConfigAndRefresh() && env_.runUpdateJob) env_.runUpdateJob(kJobCheckFirmwareUpdate);
}

void DeviceWorker::RemovalScan() {
    // Give the system time to remove every interface of the device that went away.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    connection_.Rescan();
    if (DeviceManager::Instance().GetConnectionKind() == kConnectionNone) return;
    ReadConfigAndRefresh();
}

void DeviceWorker::SelectDevice() {
    SetUpProfiles();
    env_.view.RefreshPages();
    ReadConfigAndRefresh();
}

bool DeviceWorker::ReadConfigAndRefresh() {
    if (!ReadDeviceConfig(context_)) return false;
    env_.view.RefreshPages();
    env_.view.ShowVersions();
    return true;
}

void DeviceWorker::WriteAllJob() {
    env_.view.RefreshPagesWithoutMacroLists();
    int failed = WriteAll(context_, env_.model.HasLights());
    if (failed > 0) Trace("WriteAll: %d setting writes failed", failed);
}

void DeviceWorker::ResetDpi() {
    if (auto defaults = env_.model.Defaults()) {
        ApplyDeviceDefaults(env_.state.CurrentProfile(), *defaults, true);
    }
    env_.view.RefreshDpiPage();
    WriteDpiStages(context_);
    WriteDpiColours(context_);
}

void DeviceWorker::FactoryReset() {
    SendFactoryReset(context_);
    SetUpProfiles();
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    for (const ProfileInfo& profile : profiles)
        DeleteKeyBindings(profile.profile);
    if (auto defaults = env_.model.Defaults()) {
        ApplyDeviceDefaults(env_.state.CurrentProfile(), *defaults, false);
    }
    env_.view.RefreshPages();
}

void DeviceWorker::SetUpProfiles() {
    std::string word = env_.text ? env_.text(kTextProfileWord) : std::string("Profile");
    LoadedProfiles loaded = LoadProfiles(word, env_.model.Defaults());
    env_.state.SetCurrentProfile(loaded.current_profile);
    env_.view.ShowProfileName(loaded.name);
}

}  // namespace vellomir
