#pragma once
// The update state the main window keeps: versions, what the last checks found, and the configured
// server locations. Written by the worker's jobs and read by the UI thread, so it is guarded.

#include <functional>
#include <mutex>
#include <string>

namespace vellomir {

enum UpdateCheckState : int {
    kNotChecked = 0,
    kUpdateAvailable = 1,
    kUpToDate = 2,
};

struct UpdateStateData {
    std::string currentSoftwareVersion;  // the catalogue's software version
    std::string latestSoftwareVersion;   // the server's answer; empty until a valid one arrived
    int softwareState = kNotChecked;
    std::string deviceFirmwareVersion;  // the connected mouse's firmware version as shown
    std::string latestFirmwareVersion;  // the server's answer; empty until a valid one arrived
    int firmwareState = kNotChecked;
    std::string firmwareLocation;  // the model description's firmware location
    std::string updateFolder;      // the catalogue's upgrade folder
};

class UpdateState {
public:
    UpdateStateData Snapshot() const {
        std::lock_guard lock(mutex_);
        return data_;
    }
    void Modify(const std::function<void(UpdateStateData&)>& change) {
        std::lock_guard lock(mutex_);
        change(data_);
    }

private:
    mutable std::mutex mutex_;
    UpdateStateData data_;
};

}  // namespace vellomir
