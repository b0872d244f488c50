#pragma once
// The online version checks run by the worker: job 23 for the program, job 24 for the mouse firmware
// (which also runs after every successful device read).

#include "update/UpdateServices.h"

namespace vellomir {

// Longest version answers taken from the server.
inline constexpr std::size_t kMaxSoftwareVersionLength = 10;
inline constexpr std::size_t kMaxFirmwareVersionLength = 9;

// Fetches the latest program version from the update folder. A valid answer is stored as the latest
// software version and compared with the current one: when it is newer (or has a different number of
// parts) the state becomes kUpdateAvailable, the label shows it, the button is enabled and
// UpdateAvailable(kSoftwareUpdateKind) is sent; otherwise the state becomes kUpToDate. Without a valid
// answer only the latest version is cleared. Returns true when a valid answer arrived.
bool CheckSoftwareUpdate(const UpdateServices& services);

// The same for the firmware: the latest firmware version from the firmware location is compared with
// the connected mouse's version when both are known. Without a firmware location the server is not
// contacted. Returns true when a valid answer arrived.
bool CheckFirmwareUpdate(const UpdateServices& services);

}  // namespace vellomir
