#include "update/SoftwareUpdateJob.h"

#include <cstdlib>
#include <system_error>

#include "common/Trace.h"
#include "update/ProgramLauncher.h"
#include "update/UnzipToFolder.h"
#include "update/UpdateAddresses.h"
#include "update/UpdateFiles.h"
#include "update/VersionText.h"

namespace vellomir {

namespace fs = std::filesystem;

InstallerHooks DefaultInstallerHooks() {
    return {[](const fs::path& program) { return StartProgramDirectly(program) > 0; },
            [](int code) { std::_Exit(code); }};
}

SoftwareUpdateOutcome DownloadSoftware(const UpdateServices& services, const fs::path& downloadFolder,
                                       const InstallerHooks& hooks) {
    const UpdateStateData state = services.state.Snapshot();
    const std::string version = state.latestSoftwareVersion;
    if (!IsOfferableVersion(version)) return SoftwareUpdateOutcome::kNoVersion;
    const fs::path archive = DownloadFolderFile(downloadFolder, SoftwareArchiveName(version));
    const fs::path setup = DownloadFolderFile(downloadFolder, SetupProgramName(version));
    if (archive.empty() || setup.empty()) return SoftwareUpdateOutcome::kNoVersion;

    PrepareDownload(downloadFolder, archive);
    // Whatever the download returned, a complete archive may be there (the caller looks for it).
    services.http.DownloadFile(SoftwareArchiveAddress(state.updateFolder, version), archive,
                               [&services](int percent) { services.view.SetDownloadProgress(percent); });
    if (IsPlainFile(archive) && UnzipToFolder(archive, downloadFolder)) {
        std::error_code ec;
        fs::remove(archive, ec);
    }
    if (!IsPlainFile(setup)) {
        Trace("DownloadSoftware: no setup program %s", setup.c_str());
        return SoftwareUpdateOutcome::kNoSetupProgram;
    }
    // Only a setup program that really started ends this program; otherwise it stays with its dialog.
    if (!hooks.start || !hooks.start(setup)) return SoftwareUpdateOutcome::kStartFailed;
    if (hooks.exit) hooks.exit(0);
    return SoftwareUpdateOutcome::kStarted;
}

}  // namespace vellomir
