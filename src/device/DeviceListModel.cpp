#include "device/DeviceListModel.h"

namespace vellomir {

void DeviceListModel::ClearList() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    selected_ = 0;
}

void DeviceListModel::AddDevice(const std::string& name, int deviceType) {
    std::lock_guard lock(mutex_);
    DeviceListEntry entry;
    entry.name = name;
    entry.deviceType = deviceType;
    entries_.push_back(entry);
}

DeviceListEntry* DeviceListModel::Find(int deviceType) {
    for (auto& entry : entries_) {
        if (entry.deviceType == deviceType) return &entry;
    }
    return nullptr;
}

void DeviceListModel::SetAllDeviceState(int state) {
    std::lock_guard lock(mutex_);
    for (auto& entry : entries_) {
        entry.linkState = state;
        entry.shown = state != 0;
    }
}

void DeviceListModel::SetDeviceState(int deviceType, int mode, int linkState) {
    std::lock_guard lock(mutex_);
    if (DeviceListEntry* entry = Find(deviceType)) {
        entry->mode = mode;
        entry->linkState = linkState;
        entry->shown = true;
    }
}

void DeviceListModel::SetDeviceVersion(int deviceType, std::uint32_t releaseNumber) {
    std::lock_guard lock(mutex_);
    if (DeviceListEntry* entry = Find(deviceType)) entry->version = releaseNumber;
}

void DeviceListModel::SetDeviceBattery(int deviceType, int batteryA, int batteryB) {
    std::lock_guard lock(mutex_);
    if (DeviceListEntry* entry = Find(deviceType)) {
        entry->batteryA = batteryA;
        entry->batteryB = batteryB;
    }
}

void DeviceListModel::SetSelectDevice(int deviceType) {
    std::lock_guard lock(mutex_);
    DeviceListEntry* wanted = Find(deviceType);
    if (wanted != nullptr && wanted->Present()) {
        selected_ = deviceType;
        return;
    }
    selected_ = 0;
    for (const auto& entry : entries_) {
        if (entry.Present()) {
            selected_ = entry.deviceType;
            return;
        }
    }
}

int DeviceListModel::GetSelectDevice() const {
    std::lock_guard lock(mutex_);
    return selected_;
}

int DeviceListModel::GetOnlineDevCount() const {
    std::lock_guard lock(mutex_);
    int count = 0;
    for (const auto& entry : entries_)
        count += entry.Present() ? 1 : 0;
    return count;
}

std::vector<DeviceListEntry> DeviceListModel::Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

}  // namespace vellomir
