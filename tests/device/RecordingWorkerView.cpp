#include "RecordingWorkerView.h"

#include <algorithm>

#include "common/Text.h"

namespace vellomir::test {

RecordingWorkerView::RecordingWorkerView(const Catalogue& catalogue) {
    for (const CatalogueEntry& model : catalogue.models)
        list_.AddDevice(model.name, model.device_type);
}

void RecordingWorkerView::Add(std::string call) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    added_.notify_all();
}

std::vector<std::string> RecordingWorkerView::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

bool RecordingWorkerView::Has(const std::string& call) const {
    std::lock_guard lock(mutex_);
    return std::find(calls_.begin(), calls_.end(), call) != calls_.end();
}

std::vector<std::string> RecordingWorkerView::Starting(const std::string& prefix) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const auto& call : calls_) {
        if (call.rfind(prefix, 0) == 0) out.push_back(call);
    }
    return out;
}

std::vector<std::string> RecordingWorkerView::After(const std::string& marker) const {
    std::lock_guard lock(mutex_);
    auto from = std::find(calls_.begin(), calls_.end(), marker);
    if (from == calls_.end()) return calls_;
    return {from + 1, calls_.end()};
}

void RecordingWorkerView::Clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

bool RecordingWorkerView::WaitFor(const std::string& call, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return added_.wait_for(lock, limit,
                           [&] { return std::find(calls_.begin(), calls_.end(), call) != calls_.end(); });
}

void RecordingWorkerView::SetBatteryInfo(int first, int second) {
    Add(StrFormat("SetBatteryInfo %d %d", first, second));
}

void RecordingWorkerView::SetAllDeviceState(int state) {
    list_.SetAllDeviceState(state);
    Add(StrFormat("SetAllDeviceState %d", state));
}

void RecordingWorkerView::SetDeviceState(int deviceType, int mode, int linkState) {
    list_.SetDeviceState(deviceType, mode, linkState);
    Add(StrFormat("SetDeviceState %d %d %d", deviceType, mode, linkState));
}

void RecordingWorkerView::SetDeviceVersion(int deviceType, std::uint32_t releaseNumber) {
    list_.SetDeviceVersion(deviceType, releaseNumber);
    Add(StrFormat("SetDeviceVersion %d %X", deviceType, releaseNumber));
}

void RecordingWorkerView::SetDeviceBattery(int deviceType, int batteryA, int batteryB) {
    list_.SetDeviceBattery(deviceType, batteryA, batteryB);
    Add(StrFormat("SetDeviceBattery %d %d %d", deviceType, batteryA, batteryB));
}

void RecordingWorkerView::SetSelectDevice(int deviceType) {
    list_.SetSelectDevice(deviceType);
    Add(StrFormat("SetSelectDevice %d", deviceType));
}

int RecordingWorkerView::GetSelectDevice() {
    const int selected = list_.GetSelectDevice();
    Add(StrFormat("GetSelectDevice -> %d", selected));
    return selected;
}

int RecordingWorkerView::GetOnlineDevCount() {
    const int count = list_.GetOnlineDevCount();
    Add(StrFormat("GetOnlineDevCount -> %d", count));
    return count;
}

void RecordingWorkerView::SetTitle(int textId) {
    Add(StrFormat("SetTitle %d", textId));
}
void RecordingWorkerView::ShowDeviceView() {
    Add("ShowDeviceView");
}
void RecordingWorkerView::ShowNoDeviceView() {
    Add("ShowNoDeviceView");
}
void RecordingWorkerView::ShowDeviceList(bool shown) {
    Add(StrFormat("ShowDeviceList %d", shown ? 1 : 0));
}
void RecordingWorkerView::ShowNoDeviceControls() {
    Add("ShowNoDeviceControls");
}
void RecordingWorkerView::ClosePopups() {
    Add("ClosePopups");
}
void RecordingWorkerView::ClosePopupPanel() {
    Add("ClosePopupPanel");
}
void RecordingWorkerView::RefreshPages() {
    Add("RefreshPages");
}
void RecordingWorkerView::RefreshLightPage() {
    Add("RefreshLightPage");
}
void RecordingWorkerView::ShowVersions() {
    Add("ShowVersions");
}
void RecordingWorkerView::ShowReceiverVersion(const std::string& version) {
    Add("ShowReceiverVersion " + version);
}
void RecordingWorkerView::ShowDpiRange(const SensorDpiRange& range) {
    Add(StrFormat("ShowDpiRange %d %d", range.lowest, range.highest));
}
void RecordingWorkerView::ShowStageCount(int count) {
    Add(StrFormat("ShowStageCount %d", count));
}
void RecordingWorkerView::ShowSelectedStage(int index, int sliderPosition) {
    Add(StrFormat("ShowSelectedStage %d %d", index, sliderPosition));
}
void RecordingWorkerView::ShowDpiTip(int dpi) {
    Add(StrFormat("ShowDpiTip %d", dpi));
}

ModelView::Size RecordingWorkerView::SetModelPicture(const std::string& skinRelativePath) {
    Add("SetModelPicture " + skinRelativePath);
    return {};
}
int RecordingWorkerView::ClientWidth() const {
    return 1000;
}
void RecordingWorkerView::PlaceModelPicture(const PictureRect& rect) {
    Add(StrFormat("PlaceModelPicture %d %d %d %d", rect.left, rect.top, rect.width, rect.height));
}
void RecordingWorkerView::ShowLightingTab(bool shown) {
    Add(StrFormat("ShowLightingTab %d", shown ? 1 : 0));
}
void RecordingWorkerView::LayoutPages() {
    Add("LayoutPages");
}
void RecordingWorkerView::ClearKeys() {
    Add("ClearKeys");
}
void RecordingWorkerView::AddKeyLabel(int nameText, int keyCode, int direction, KeyPoint, KeyPoint) {
    Add(StrFormat("AddKeyLabel %d %d %d", nameText, keyCode, direction));
}
void RecordingWorkerView::AddKeyItem(int nameText, int functionText, int keyCode) {
    Add(StrFormat("AddKeyItem %d %d %d", nameText, functionText, keyCode));
}
void RecordingWorkerView::FinishKeys(int count) {
    Add(StrFormat("FinishKeys %d", count));
}

void RecordingWorkerView::ShowProfileName(const std::string& storedName) {
    Add("ShowProfileName " + storedName);
}
void RecordingWorkerView::RefreshPagesWithoutMacroLists() {
    Add("RefreshPagesWithoutMacroLists");
}
void RecordingWorkerView::RefreshDpiPage() {
    Add("RefreshDpiPage");
}
void RecordingWorkerView::ShowMessageBox(int titleText, int bodyText, int style) {
    Add(StrFormat("ShowMessageBox %d %d %d", titleText, bodyText, style));
}

}  // namespace vellomir::test
