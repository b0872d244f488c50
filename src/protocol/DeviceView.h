#pragma once
// Everything the device procedures show in the main window. The GUI implements it; the procedures run
// on the device worker, so an implementation hands every call to the UI thread in the order it
// arrives. The two calls that answer something (GetSelectDevice, GetOnlineDevCount) read the device
// list as it is after the calls made before them.
//
// Text ids are numbers of the language section "LAN": 50 no device, 51 mouse by cable, 52 mouse
// through the receiver.

#include <cstdint>
#include <string>

#include "protocol/DpiTables.h"

namespace vellomir {

inline constexpr int kTitleNoDevice = 50;
inline constexpr int kTitleCable = 51;
inline constexpr int kTitleReceiver = 52;

class DeviceView {
public:
    virtual ~DeviceView() = default;

    // Battery control of the window (BatteryCtrl::SetBatteryInfo): the bytes in the order given.
    virtual void SetBatteryInfo(int first, int second) = 0;

    // Device list (one entry per device type).
    virtual void SetAllDeviceState(int state) = 0;
    virtual void SetDeviceState(int deviceType, int mode, int linkState) = 0;
    virtual void SetDeviceVersion(int deviceType, std::uint32_t releaseNumber) = 0;
    virtual void SetDeviceBattery(int deviceType, int batteryA, int batteryB) = 0;
    virtual void SetSelectDevice(int deviceType) = 0;
    virtual int GetSelectDevice() = 0;
    virtual int GetOnlineDevCount() = 0;

    // The window: its title, which of its two views is shown, the device list and the popups.
    virtual void SetTitle(int textId) = 0;
    // The configuration pages, on the tab that was selected last.
    virtual void ShowDeviceView() = 0;
    // The no-device view, with the first tab selected.
    virtual void ShowNoDeviceView() = 0;
    virtual void ShowDeviceList(bool shown) = 0;
    // The controls shown when no device is online (in place of the device list).
    virtual void ShowNoDeviceControls() = 0;
    // Closes the transient windows that must not outlive a device change (tips, menus, message box,
    // palette, save-wait dialog, the window's pop-up panel) and takes the focus from the DPI control.
    virtual void ClosePopups() = 0;
    // Closes the window's pop-up panel when one is open.
    virtual void ClosePopupPanel() = 0;

    // Re-shows the stored configuration of the current profile on the pages (key page, macro lists,
    // DPI and performance page, lighting page when the model has lights).
    virtual void RefreshPages() = 0;
    virtual void RefreshLightPage() = 0;
    // The settings page's firmware version lines.
    virtual void ShowVersions() = 0;
    // The settings page's mouse firmware line when a receiver is used: "%s: %s.%s" with text 551, the
    // first and the last two characters of the receiver version (FormatVersionLine).
    virtual void ShowReceiverVersion(const std::string& version) = 0;

    // DPI page: the DPI range of the sensor (slider range and offset, the two DPI texts).
    virtual void ShowDpiRange(const SensorDpiRange& range) = 0;
    // Selects the count in the stage-count selector and lays the stage list out again from the store.
    virtual void ShowStageCount(int count) = 0;
    // Selects a stage in the stage list and moves the DPI slider.
    virtual void ShowSelectedStage(int index, int sliderPosition) = 0;
    // Shows the value in the DPI tip dialog when it exists (the caller checks the model's setting).
    virtual void ShowDpiTip(int dpi) = 0;
};

}  // namespace vellomir
