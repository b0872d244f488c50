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

    void CommunicationFailed() const {
        if (onCommunicationFailure) onCommunicationFailure();
    }
};

// Outcome of one setting write.
enum class WriteResult {
    kSent,     // the mouse acknowledged the command
    kFailed,   // the transaction failed; the communication-failure handling has run
    kNotSent,  // there was nothing to send (no stored row for it)
};

}  // namespace vellomir
