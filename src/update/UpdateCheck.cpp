#include "update/UpdateCheck.h"

#include "common/Text.h"
#include "common/Trace.h"
#include "update/UpdateAddresses.h"
#include "update/VersionText.h"

namespace vellomir {

namespace {

constexpr int kTextUpToDate = 580;
constexpr int kTextNewVersion = 582;

// Fetches a version text and returns it when it is one the server may offer: at most maxLength
// characters as sent (surrounding white space, such as a final newline, is then dropped) and only
// digits and dots. An error page or anything else gives an empty text.
std::string FetchVersion(HttpTransfer& http, const std::string& address, std::size_t maxLength) {
    std::string answer;
    if (http.FetchText(address, answer) != kTransferDone) return {};
    std::size_t length = CountCodePoints(answer);
    if (length < 1 || length > maxLength) return {};
    std::string version(TrimAscii(answer));
    if (!IsOfferableVersion(version)) {
        Trace("Ignoring version answer from %s", address.c_str());
        return {};
    }
    return version;
}

}  // namespace

bool CheckSoftwareUpdate(const UpdateServices& services) {
    services.state.Modify([](UpdateStateData& s) { s.latestSoftwareVersion.clear(); });
    const UpdateStateData before = services.state.Snapshot();
    if (before.updateFolder.empty()) return false;
    std::string latest =
        FetchVersion(services.http, SoftwareVersionAddress(before.updateFolder), kMaxSoftwareVersionLength);
    if (latest.empty()) return false;

    bool newer = CompareVersions(before.currentSoftwareVersion, latest) >= 1;
    services.state.Modify([&](UpdateStateData& s) {
        s.latestSoftwareVersion = latest;
        s.softwareState = newer ? kUpdateAvailable : kUpToDate;
    });
    if (newer) {
        services.view.EnableSoftwareUpdate(true);
        services.view.ShowSoftwareVersion(
            StrFormat("%s: v%s", services.text(kTextNewVersion).c_str(), latest.c_str()));
        services.view.UpdateAvailable(kSoftwareUpdateKind);
    } else {
        services.view.ShowSoftwareVersion(services.text(kTextUpToDate));
        services.view.EnableSoftwareUpdate(false);
    }
    return true;
}

bool CheckFirmwareUpdate(const UpdateServices& services) {
    services.state.Modify([](UpdateStateData& s) { s.latestFirmwareVersion.clear(); });
    const UpdateStateData before = services.state.Snapshot();
    // Without a location there is no address to ask.
    if (before.firmwareLocation.empty()) return false;
    std::string latest = FetchVersion(services.http, FirmwareVersionAddress(before.firmwareLocation),
                                      kMaxFirmwareVersionLength);
    if (latest.empty()) return false;
    services.state.Modify([&](UpdateStateData& s) { s.latestFirmwareVersion = latest; });
    if (before.deviceFirmwareVersion.empty()) return true;

    bool newer = CompareVersions(before.deviceFirmwareVersion, latest) >= 1;
    services.state.Modify(
        [&](UpdateStateData& s) { s.firmwareState = newer ? kUpdateAvailable : kUpToDate; });
    if (newer) {
        services.view.ShowFirmwareVersion(StrFormat("%s: V%s", services.text(kTextNewVersion).c_str(),
                                                    FirmwareDisplayVersion(latest).c_str()));
        services.view.EnableFirmwareUpdate(true);
        services.view.UpdateAvailable(kFirmwareUpdateKind);
    } else {
        services.view.ShowFirmwareVersion(services.text(kTextUpToDate));
        services.view.EnableFirmwareUpdate(false);
    }
    return true;
}

}  // namespace vellomir
