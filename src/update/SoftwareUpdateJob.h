#pragma once
// Job 26: download the program's update archive, unpack it and start its setup program.

#include <filesystem>
#include <functional>

#include "update/UpdateServices.h"

namespace vellomir {

struct InstallerHooks {
    // Starts the setup program; true when it runs. The default starts it directly (no shell).
    std::function<bool(const std::filesystem::path&)> start;
    // Ends this program at once with the given code once the setup program runs. The default does
    // not return.
    std::function<void(int code)> exit;
};

InstallerHooks DefaultInstallerHooks();

enum class SoftwareUpdateOutcome {
    kNoVersion,       // no valid latest version is known
    kNoSetupProgram,  // the archive did not bring the setup program of that version
    kStartFailed,     // the setup program exists but did not start; the program goes on
    kStarted,         // the setup program runs and the exit hook was called
};

// Downloads "Mouse-Setup-<latest>.zip" from the update folder into the download folder (progress to
// the view's SetDownloadProgress), unpacks it there and removes it once unpacked. When the setup
// program of the same version is then there, it is started and the program ends with code 0.
SoftwareUpdateOutcome DownloadSoftware(const UpdateServices& services,
                                       const std::filesystem::path& downloadFolder,
                                       const InstallerHooks& hooks = DefaultInstallerHooks());

}  // namespace vellomir
