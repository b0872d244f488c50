#pragma once
// What the device procedures work with besides the DeviceManager and the stores: the state shared
// with the pages, the window, and the communication-failure handling of the connection state (owned
// by the worker; run after a failed setting write and when the mouse turns out not to be linked).

#include <functional>

#include "protocol/DeviceState.h"
#include "protocol/DeviceView.h"

namespace vellomir {

struct ProtocolContext {
    DeviceState& state;
    DeviceView& view;
    std::function<void()> onCommunicationFailure;
    // True while a job waits for the worker; the notification poll then ends its read early so the job
    // does not wait behind it. Unset: the poll always reads for its full time.
    std::function<bool()> jobWaiting;

    void CommunicationFailed() const {
        if (onCommunicationFailure) onCommunicationFailure();
    }
    bool JobWaiting() const { return jobWaiting && jobWaiting(); }
};

// Outcome of one setting write.
enum class WriteResult {
    kSent,     // the mouse acknowledged the command
    kFailed,   // the transaction failed; the communication-failure handling has run
    kNotSent,  // there was nothing to send (no stored row for it)
};

}  // namespace vellomir
