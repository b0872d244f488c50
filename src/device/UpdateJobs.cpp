#include "device/UpdateJobs.h"

#include <span>

#include "common/JobCodes.h"
#include "common/Text.h"
#include "device/DeviceManager.h"
#include "protocol/FirmwareFlash.h"
#include "update/FirmwareUpdateJob.h"
#include "update/UpdateCheck.h"

namespace vellomir {

UpdateJobs::UpdateJobs(UpdateView& view, TextLookup text, const ModelSession& model,
                       const DeviceState& deviceState, std::filesystem::path downloadFolder,
                       InstallerHooks installer)
    : view_(view),
      text_(std::move(text)),
      model_(model),
      deviceState_(deviceState),
      downloadFolder_(std::move(downloadFolder)),
      installer_(std::move(installer)) {
    const SoftwareInfo& software = model_.catalogue().software;
    state_.Modify([&](UpdateStateData& data) {
        data.currentSoftwareVersion = software.version;
        data.updateFolder = software.upgrade;
    });
}

std::string UpdateJobs::DeviceFirmwareVersion() const {
    DeviceManager& manager = DeviceManager::Instance();
    switch (manager.GetConnectionKind()) {
        case kConnectionCable:
            if (auto release = manager.GetReleaseNumber(kConnectionCable)) return StrFormat("%X", *release);
            return {};
        case kConnectionReceiver:
            return deviceState_.ReceiverVersion();
        default:
            return {};
    }
}

void UpdateJobs::RefreshAddresses() {
    std::string location = model_.State().firmware_url;
    std::string version = DeviceFirmwareVersion();
    state_.Modify([&](UpdateStateData& data) {
        data.firmwareLocation = location;
        data.deviceFirmwareVersion = version;
    });
}

void UpdateJobs::Run(int job) {
    RefreshAddresses();
    UpdateServices services{http_, state_, view_, text_};
    switch (job) {
        case kJobCheckSoftwareUpdate:
            CheckSoftwareUpdate(services);
            break;
        case kJobCheckFirmwareUpdate:
            CheckFirmwareUpdate(services);
            break;
        case kJobDownloadSoftware:
            DownloadSoftware(services, downloadFolder_, installer_);
            break;
        case kJobUpdateFirmware:
            UpdateFirmware(services, downloadFolder_,
                           [](const std::vector<std::uint8_t>& image, const FlashProgress& progress) {
                               return FlashImage(std::span<const std::uint8_t>(image), progress).started;
                           });
            break;
        default:
            break;
    }
}

}  // namespace vellomir
