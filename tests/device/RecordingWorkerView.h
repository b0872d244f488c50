#pragma once
// A WorkerView for tests: writes down every call in the order it arrives (from any thread) and keeps
// the device list in a real DeviceListModel filled from the catalogue, so the calls that answer
// (GetSelectDevice, GetOnlineDevCount) behave like the window's list.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "device/DeviceListModel.h"
#include "device/WorkerView.h"

namespace vellomir::test {

class RecordingWorkerView final : public WorkerView {
public:
    // Lists every model of the catalogue, in catalogue order.
    explicit RecordingWorkerView(const Catalogue& catalogue);

    std::vector<std::string> Calls() const;
    bool Has(const std::string& call) const;
    // The calls that start with `prefix`, in order.
    std::vector<std::string> Starting(const std::string& prefix) const;
    // The calls made after the first call equal to `marker` (everything when there is none).
    std::vector<std::string> After(const std::string& marker) const;
    void Clear();
    // Waits until `call` has been made; false when it was not made within `limit`.
    bool WaitFor(const std::string& call, std::chrono::milliseconds limit);

    const DeviceListModel& list() const { return list_; }

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
    void ClosePopups() override;
    void ClosePopupPanel() override;
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
    int ClientWidth() const override;
    void PlaceModelPicture(const PictureRect& rect) override;
    void ShowLightingTab(bool shown) override;
    void LayoutPages() override;
    void ClearKeys() override;
    void AddKeyLabel(int nameText, int keyCode, int direction, KeyPoint from, KeyPoint to) override;
    void AddKeyItem(int nameText, int functionText, int keyCode) override;
    void FinishKeys(int count) override;

    // WorkerView
    void ShowProfileName(const std::string& storedName) override;
    void RefreshPagesWithoutMacroLists() override;
    void RefreshDpiPage() override;
    void ShowMessageBox(int titleText, int bodyText, int style) override;

private:
    void Add(std::string call);

    mutable std::mutex mutex_;
    std::condition_variable added_;
    std::vector<std::string> calls_;
    DeviceListModel list_;
};

}  // namespace vellomir::test
