#pragma once
// The window of the command-line front end: every change a device job makes to the window is printed
// as one readable line, and the device list is kept in a DeviceListModel. Calls may come from the
// device worker and from the main thread; lines never interleave.

#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>

#include "device/DeviceListModel.h"
#include "device/WorkerView.h"

namespace vellomir {

class ConsoleWorkerView final : public WorkerView {
public:
    // `text` gives UI text N of the current language; `list` holds the catalogue's models.
    ConsoleWorkerView(std::FILE* out, std::function<std::string(int)> text, DeviceListModel& list);

    // Prints one line (with the same lock the view's own lines take).
    void Print(const std::string& line);
    // The text id of the title last set (0 before any).
    int LastTitle() const { return lastTitle_.load(); }

    // DeviceView
    void SetBatteryInfo(int first, int second) override;
    void SetAllDeviceState(int state) override;
    void SetDeviceState(int deviceType, int mode, int linkState) override;
    void SetDeviceVersion(int deviceType, std::uint32_t releaseNumber) override;
    void SetDeviceBattery(int deviceType, int batteryA, int batteryB) override;
    void SetSelectDevice(int deviceType) override;
    int GetSelectDevice() override;
    int GetOnlineDevCount() override;
    void SetTitle(int textId) override;
    void ShowDeviceView() override;
    void ShowNoDeviceView() override;
    void ShowDeviceList(bool shown) override;
    void ShowNoDeviceControls() override;
    void ClosePopups() override {}
    void ClosePopupPanel() override {}
    void RefreshPages() override;
    void RefreshLightPage() override;
    void ShowVersions() override;
    void ShowReceiverVersion(const std::string& version) override;
    void ShowDpiRange(const SensorDpiRange& range) override;
    void ShowStageCount(int count) override;
    void ShowSelectedStage(int index, int sliderPosition) override;
    void ShowDpiTip(int dpi) override;

    // ModelView
    Size SetModelPicture(const std::string& skinRelativePath) override;
    int ClientWidth() const override { return 0; }
    void PlaceModelPicture(const PictureRect&) override {}
    void ShowLightingTab(bool shown) override;
    void LayoutPages() override {}
    void ClearKeys() override {}
    void AddKeyLabel(int, int, int, KeyPoint, KeyPoint) override {}
    void AddKeyItem(int, int, int) override {}
    void FinishKeys(int count) override;

    // WorkerView
    void ShowProfileName(const std::string& storedName) override;
    void RefreshPagesWithoutMacroLists() override;
    void RefreshDpiPage() override;
    void ShowMessageBox(int titleText, int bodyText, int style) override;

private:
    std::string ModelName(int deviceType) const;

    std::FILE* out_;
    std::function<std::string(int)> text_;
    DeviceListModel& list_;
    std::mutex printMutex_;
    std::atomic<int> lastTitle_{0};
};

// "1.03" for the release number 0x0103.
std::string FormatReleaseNumber(std::uint32_t releaseNumber);

}  // namespace vellomir
