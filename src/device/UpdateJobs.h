#pragma once
// The online update jobs as the worker runs them (23 program version check, 24 firmware version check,
// 26 program download and installer start, 27 firmware download and flashing). Keeps the transfer
// object and the update state, and fills in the versions and addresses they need before each job.

#include <filesystem>
#include <string>

#include "device/ModelSession.h"
#include "protocol/DeviceState.h"
#include "update/HttpTransfer.h"
#include "update/SoftwareUpdateJob.h"
#include "update/UpdateState.h"
#include "update/UpdateView.h"

namespace vellomir {

class UpdateJobs {
public:
    // `downloadFolder` is the user data folder's temp/ folder.
    UpdateJobs(UpdateView& view, TextLookup text, const ModelSession& model, const DeviceState& deviceState,
               std::filesystem::path downloadFolder, InstallerHooks installer = DefaultInstallerHooks());

    // Runs job 23, 24, 26 or 27 on the calling thread (the worker); other codes do nothing.
    void Run(int job);

    // Stops a running download after its current block (any thread).
    void Cancel() { http_.CancelTransfer(); }

    UpdateState& state() { return state_; }

    // The firmware version shown for the connected mouse: the release number of a cabled mouse as hex,
    // the receiver's version text through the receiver; empty without a device.
    std::string DeviceFirmwareVersion() const;

private:
    void RefreshAddresses();

    UpdateView& view_;
    TextLookup text_;
    const ModelSession& model_;
    const DeviceState& deviceState_;
    const std::filesystem::path downloadFolder_;
    InstallerHooks installer_;
    HttpTransfer http_;
    UpdateState state_;
};

}  // namespace vellomir
