#pragma once
// A window that shows nothing: every call is accepted and dropped, except the device list, which is
// kept in a DeviceListModel so that the rescan's choice of device works. For headless runs that only
// care about the device and the stores (benchmarks, tests of other parts); classes derive from it and
// override what they want to see.

#include "catalogue/Catalogue.h"
#include "device/DeviceListModel.h"
#include "device/WorkerView.h"

namespace vellomir {

class QuietWorkerView : public WorkerView {
public:
    QuietWorkerView() = default;
    explicit QuietWorkerView(const Catalogue& catalogue) {
        for (const CatalogueEntry& model : catalogue.models)
            list_.AddDevice(model.name, model.device_type);
    }
    DeviceListModel& list() { return list_; }

    // DeviceView
    void SetBatteryInfo(int, int) override {}
    void SetAllDeviceState(int state) override { list_.SetAllDeviceState(state); }
    void SetDeviceState(int type, int mode, int link) override { list_.SetDeviceState(type, mode, link); }
    void SetDeviceVersion(int type, std::uint32_t release) override { list_.SetDeviceVersion(type, release); }
    void SetDeviceBattery(int type, int a, int b) override { list_.SetDeviceBattery(type, a, b); }
    void SetSelectDevice(int type) override { list_.SetSelectDevice(type); }
    int GetSelectDevice() override { return list_.GetSelectDevice(); }
    int GetOnlineDevCount() override { return list_.GetOnlineDevCount(); }
    void SetTitle(int) override {}
    void ShowDeviceView() override {}
    void ShowNoDeviceView() override {}
    void ShowDeviceList(bool) override {}
    void ShowNoDeviceControls() override {}
    void ClosePopups() override {}
    void ClosePopupPanel() override {}
    void RefreshPages() override {}
    void RefreshLightPage() override {}
    void ShowVersions() override {}
    void ShowReceiverVersion(const std::string&) override {}
    void ShowDpiRange(const SensorDpiRange&) override {}
    void ShowStageCount(int) override {}
    void ShowSelectedStage(int, int) override {}
    void ShowDpiTip(int) override {}

    // ModelView
    Size SetModelPicture(const std::string&) override { return {}; }
    int ClientWidth() const override { return 0; }
    void PlaceModelPicture(const PictureRect&) override {}
    void ShowLightingTab(bool) override {}
    void LayoutPages() override {}
    void ClearKeys() override {}
    void AddKeyLabel(int, int, int, KeyPoint, KeyPoint) override {}
    void AddKeyItem(int, int, int) override {}
    void FinishKeys(int) override {}

    // WorkerView
    void ShowProfileName(const std::string&) override {}
    void RefreshPagesWithoutMacroLists() override {}
    void RefreshDpiPage() override {}
    void ShowMessageBox(int, int, int) override {}

private:
    DeviceListModel list_;
};

}  // namespace vellomir
