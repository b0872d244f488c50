#pragma once
// Which mouse the program talks to and how (cable, receiver, linked or not), and what the window shows
// for it: the device list, the title, the device or no-device view. Rescan and the failure handling
// run on the device worker; OnDeviceChosen on the UI thread.

#include <atomic>
#include <functional>

#include "device/ModelSession.h"
#include "device/WorkerView.h"
#include "protocol/DeviceState.h"

namespace vellomir {

inline constexpr int kTextDeviceNotPresent = 56;
inline constexpr int kTextMessageTitle = 57;

class ConnectionState {
public:
    ConnectionState(DeviceState& state, WorkerView& view, ModelSession& model);

    // The model being configured (0 for none), as the window keeps it.
    int CurrentDeviceType() const { return currentType_.load(); }
    // Set while at least one supported interface is open; the notification poll and the removal
    // matching run only then.
    bool Connected() const { return connected_.load(); }

    // Makes `deviceType` current in the window and the device manager, saves it and activates its
    // model (database and description).
    void ChangeCurrentDevice(int deviceType);
    // Activates the model of `deviceType` (database and description) and hands the model's options
    // that the device procedures need to the shared state.
    void ActivateModel(int deviceType);

    // Rebuilds the record list, chooses the current device and shows the matching view.
    void Rescan();

    // The user picked `deviceType` in the device list. A model that is not present gets the message
    // box and changes nothing (false); otherwise it becomes current and job 4 is queued.
    bool OnDeviceChosen(int deviceType, const std::function<void(int)>& queueJob);

    // A transaction failed (or the mouse behind the receiver is not linked): behind a receiver the view
    // switches to the receiver's state.
    void OnCommunicationFailure();

private:
    DeviceState& state_;
    WorkerView& view_;
    ModelSession& model_;
    std::atomic<int> currentType_{0};
    std::atomic<bool> connected_{false};
};

}  // namespace vellomir
