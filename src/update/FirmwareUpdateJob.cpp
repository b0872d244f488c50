#include "update/FirmwareUpdateJob.h"

#include <system_error>
#include <thread>

#include "common/FileIo.h"
#include "common/Trace.h"
#include "update/UnzipToFolder.h"
#include "update/UpdateAddresses.h"
#include "update/UpdateFiles.h"
#include "update/VersionText.h"

namespace vellomir {

namespace fs = std::filesystem;

namespace {

constexpr int kTextDownloading = 590;
constexpr int kTextPreparing = 591;
constexpr int kTextTransferring = 592;
constexpr int kTextDone = 593;

// The image of the download folder: a plain, non-empty file of bounded size.
std::vector<std::uint8_t> ReadImage(const fs::path& image) {
    if (image.empty() || !IsPlainFile(image)) return {};
    std::optional<std::string> bytes = ReadWholeFile(image, kMaxFirmwareImageBytes);
    if (!bytes) return {};
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

FirmwareUpdateOutcome Transfer(const UpdateServices& services, const fs::path& downloadFolder,
                               const FlashFunction& flash) {
    const UpdateStateData state = services.state.Snapshot();
    const std::string version = state.latestFirmwareVersion;
    if (!IsOfferableVersion(version)) return FirmwareUpdateOutcome::kNoVersion;
    const fs::path archive = DownloadFolderFile(downloadFolder, FirmwareArchiveName(version));
    const fs::path imagePath = DownloadFolderFile(downloadFolder, FirmwareImageName(version));
    if (archive.empty() || imagePath.empty()) return FirmwareUpdateOutcome::kNoVersion;

    services.view.SetStatus(5, services.text(kTextDownloading));
    PrepareDownload(downloadFolder, archive);
    services.http.DownloadFile(FirmwareArchiveAddress(state.firmwareLocation, version), archive,
                               [&services](int percent) { services.view.SetDownloadProgress(percent); });
    std::error_code ec;
    if (IsPlainFile(archive)) {
        services.view.SetStatus(7, services.text(kTextPreparing));
        if (UnzipToFolder(archive, downloadFolder)) fs::remove(archive, ec);
    }

    std::vector<std::uint8_t> image = ReadImage(imagePath);
    if (image.empty()) {
        Trace("UpdateFirmware: no usable image %s", imagePath.c_str());
        return FirmwareUpdateOutcome::kNoImage;
    }
    services.view.SetStatus(10, services.text(kTextPreparing));
    const std::string transferText = services.text(kTextTransferring);
    bool flashed =
        flash && flash(image, [&](int percent) { services.view.SetStatus(percent, transferText); });
    // The image is removed whatever the transfer did.
    fs::remove(imagePath, ec);
    services.view.SetStatus(100, services.text(kTextDone));
    return flashed ? FirmwareUpdateOutcome::kFlashed : FirmwareUpdateOutcome::kRefused;
}

}  // namespace

FirmwareUpdateOutcome UpdateFirmware(const UpdateServices& services, const fs::path& downloadFolder,
                                     const FlashFunction& flash, std::chrono::milliseconds settle) {
    FirmwareUpdateOutcome outcome = Transfer(services, downloadFolder, flash);
    std::this_thread::sleep_for(settle);
    services.view.CloseFirmwareDialog();
    std::this_thread::sleep_for(settle);
    return outcome;
}

}  // namespace vellomir
