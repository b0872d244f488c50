#pragma once
// Job 27: download the firmware archive, unpack it and hand the image to the firmware transfer.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "update/UpdateServices.h"

namespace vellomir {

// Receives the transfer's progress in percent (10 to 100).
using FlashProgress = std::function<void(int percent)>;
// Sends an image to the mouse's firmware loader; false when the loader refused the start.
using FlashFunction =
    std::function<bool(const std::vector<std::uint8_t>& image, const FlashProgress& progress)>;

// Firmware images larger than this are not taken.
inline constexpr std::size_t kMaxFirmwareImageBytes = 16u << 20;

enum class FirmwareUpdateOutcome {
    kNoVersion,  // no valid latest firmware version is known
    kNoImage,    // the archive did not bring a usable image of that version
    kRefused,    // the image was handed over and the transfer reported failure
    kFlashed,    // the image was handed over and the transfer reported success
};

// Downloads "firmware-<latest>.zip" from the firmware location into the download folder, unpacks it
// and removes it once unpacked; reads the image "firmware     -<latest>.bin" of the download folder
// and hands it to `flash`, then deletes it. Status reports go to the view's SetStatus (5, 7, 10,
// the transfer's own, 100). At the end the firmware dialog is closed with a pause of `settle` before
// and after.
FirmwareUpdateOutcome UpdateFirmware(const UpdateServices& services,
                                     const std::filesystem::path& downloadFolder, const FlashFunction& flash,
                                     std::chrono::milliseconds settle = std::chrono::milliseconds(100));

}  // namespace vellomir
