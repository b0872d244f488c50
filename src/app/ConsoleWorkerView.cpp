#include "app/ConsoleWorkerView.h"

#include "common/Text.h"

namespace vellomir {

namespace {

const char* LinkName(int linkState) {
    switch (linkState) {
        case 0:
            return "off line";
        case 1:
            return "on line";
        default:
            return "off line (link poll)";
    }
}

}  // namespace

std::string FormatReleaseNumber(std::uint32_t releaseNumber) {
    return StrFormat("%X.%02X", (releaseNumber >> 8) & 0xFF, releaseNumber & 0xFF);
}

ConsoleWorkerView::ConsoleWorkerView(std::FILE* out, std::function<std::string(int)> text,
                                     DeviceListModel& list)
    : out_(out), text_(std::move(text)), list_(list) {}

void ConsoleWorkerView::Print(const std::string& line) {
    std::lock_guard lock(printMutex_);
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

std::string ConsoleWorkerView::ModelName(int deviceType) const {
    for (const DeviceListEntry& entry : list_.Entries()) {
        if (entry.deviceType == deviceType) return entry.name;
    }
    return StrFormat("device type %d", deviceType);
}

void ConsoleWorkerView::SetBatteryInfo(int first, int second) {
    Print(StrFormat("* battery: %d, %d", first, second));
}

void ConsoleWorkerView::SetAllDeviceState(int state) {
    list_.SetAllDeviceState(state);
}

void ConsoleWorkerView::SetDeviceState(int deviceType, int mode, int linkState) {
    list_.SetDeviceState(deviceType, mode, linkState);
    Print(StrFormat("* device list: %s %s, %s", ModelName(deviceType).c_str(),
                    mode == 1 ? "by receiver" : "by cable", LinkName(linkState)));
}

void ConsoleWorkerView::SetDeviceVersion(int deviceType, std::uint32_t releaseNumber) {
    list_.SetDeviceVersion(deviceType, releaseNumber);
}

void ConsoleWorkerView::SetDeviceBattery(int deviceType, int batteryA, int batteryB) {
    list_.SetDeviceBattery(deviceType, batteryA, batteryB);
}

void ConsoleWorkerView::SetSelectDevice(int deviceType) {
    list_.SetSelectDevice(deviceType);
}
int ConsoleWorkerView::GetSelectDevice() {
    return list_.GetSelectDevice();
}
int ConsoleWorkerView::GetOnlineDevCount() {
    return list_.GetOnlineDevCount();
}

void ConsoleWorkerView::SetTitle(int textId) {
    lastTitle_ = textId;
    Print("* title: " + text_(textId));
}

void ConsoleWorkerView::ShowDeviceView() {
    Print("* view: configuration pages");
}
void ConsoleWorkerView::ShowNoDeviceView() {
    Print("* view: no device");
}
void ConsoleWorkerView::ShowDeviceList(bool shown) {
    Print(shown ? "* device list: shown" : "* device list: hidden");
}
void ConsoleWorkerView::ShowNoDeviceControls() {
    Print("* no device on line");
}
void ConsoleWorkerView::RefreshPages() {
    Print("* pages: shown from the current profile");
}
void ConsoleWorkerView::RefreshLightPage() {
    Print("* lighting page: shown from the current profile");
}
void ConsoleWorkerView::ShowVersions() {
    Print("* settings page: firmware versions shown");
}
void ConsoleWorkerView::ShowReceiverVersion(const std::string& version) {
    Print("* receiver firmware: " + version);
}
void ConsoleWorkerView::ShowDpiRange(const SensorDpiRange& range) {
    Print(StrFormat("* DPI range: %d to %d", range.lowest, range.highest));
}
void ConsoleWorkerView::ShowStageCount(int count) {
    Print(StrFormat("* DPI stages: %d", count));
}
void ConsoleWorkerView::ShowSelectedStage(int index, int sliderPosition) {
    Print(StrFormat("* DPI stage selected: %d (slider %d)", index, sliderPosition));
}
void ConsoleWorkerView::ShowDpiTip(int dpi) {
    Print(StrFormat("* DPI tip: %d DPI", dpi));
}

ModelView::Size ConsoleWorkerView::SetModelPicture(const std::string& skinRelativePath) {
    Print("* model picture: " + skinRelativePath);
    return {};
}

void ConsoleWorkerView::ShowLightingTab(bool shown) {
    Print(shown ? "* lighting tab: shown" : "* lighting tab: hidden");
}

void ConsoleWorkerView::FinishKeys(int count) {
    Print(StrFormat("* buttons: %d", count));
}

void ConsoleWorkerView::ShowProfileName(const std::string& storedName) {
    Print("* profile: " + storedName);
}
void ConsoleWorkerView::RefreshPagesWithoutMacroLists() {
    Print("* pages: shown from the current profile");
}
void ConsoleWorkerView::RefreshDpiPage() {
    Print("* DPI page: shown from the current profile");
}

void ConsoleWorkerView::ShowMessageBox(int titleText, int bodyText, int) {
    Print("* message: " + text_(titleText) + ": " + text_(bodyText));
}

}  // namespace vellomir
