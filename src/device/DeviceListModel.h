#pragma once
// The device list's contents: one entry per model of the catalogue, with its connection state,
// firmware version and battery, and the selected model. The GUI's list control shows it; tests read it.
// Selecting a model that is not present selects the first present model in list order instead.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace vellomir {

struct DeviceListEntry {
    std::string name;
    int deviceType = 0;
    int mode = 0;        // 0 cable, 1 receiver
    int linkState = 0;   // 0 not present or off line, 1 on line, 2 off line (found by the link poll)
    bool shown = false;  // a state was set since the last SetAllDeviceState
    std::uint32_t version = 0;
    int batteryA = 0;
    int batteryB = 0;
    bool Present() const { return shown && linkState == 1; }
};

class DeviceListModel {
public:
    void ClearList();
    void AddDevice(const std::string& name, int deviceType);

    void SetAllDeviceState(int state);
    void SetDeviceState(int deviceType, int mode, int linkState);
    void SetDeviceVersion(int deviceType, std::uint32_t releaseNumber);
    void SetDeviceBattery(int deviceType, int batteryA, int batteryB);
    // Selects the model when it is present, otherwise the first present model; with none present the
    // selection is cleared (0).
    void SetSelectDevice(int deviceType);
    int GetSelectDevice() const;
    int GetOnlineDevCount() const;

    std::vector<DeviceListEntry> Entries() const;

private:
    DeviceListEntry* Find(int deviceType);

    mutable std::mutex mutex_;
    std::vector<DeviceListEntry> entries_;
    int selected_ = 0;
};

}  // namespace vellomir
