#include "update/UpdatePrompt.h"

#include "common/Text.h"
#include "update/VersionText.h"

namespace vellomir {

namespace {

constexpr int kAnswerOk = 1;
constexpr int kStyleOkCancel = 4;
constexpr int kTextFirmwareTitle = 551;
constexpr int kTextSoftwareTitle = 581;
constexpr int kTextNewVersion = 582;
constexpr int kTextAskUpdate = 583;

}  // namespace

bool OnUpdateAvailable(int kind, const UpdateStateData& state, UpdateView& view, const TextLookup& text,
                       const JobQueueFunction& queueJob) {
    if (kind == kSoftwareUpdateKind) {
        if (!IsOfferableVersion(state.latestSoftwareVersion)) return false;
        std::string body = StrFormat("%s:V%s, %s", text(kTextNewVersion).c_str(),
                                     state.latestSoftwareVersion.c_str(), text(kTextAskUpdate).c_str());
        if (view.AskQuestion(text(kTextSoftwareTitle), body, kStyleOkCancel) != kAnswerOk) return false;
        queueJob(kJobDownloadSoftware);
        view.OpenDownloadDialog();
        return true;
    }
    if (kind == kFirmwareUpdateKind) {
        if (!IsOfferableVersion(state.latestFirmwareVersion)) return false;
        std::string body = StrFormat("%s:V%s, %s", text(kTextNewVersion).c_str(),
                                     FirmwareDisplayVersion(state.latestFirmwareVersion).c_str(),
                                     text(kTextAskUpdate).c_str());
        if (view.AskQuestion(text(kTextFirmwareTitle), body, kStyleOkCancel) != kAnswerOk) return false;
        queueJob(kJobUpdateFirmware);
        view.OpenFirmwareDialog();
        return true;
    }
    return false;
}

}  // namespace vellomir
