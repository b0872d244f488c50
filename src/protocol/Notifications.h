#pragma once
// The reports the mouse and the receiver send on their own: 0xC2 when the DPI stage or stage count was
// changed with the mouse's buttons, 0xC0 when the receiver's mouse goes on or off line. The worker
// polls for them while it has no job.

#include <functional>

#include "protocol/Frame.h"
#include "protocol/ProtocolContext.h"

namespace vellomir {

inline constexpr std::uint8_t kDpiReport = 0xC2;
inline constexpr std::uint8_t kLinkReport = 0xC0;

// Read timeouts of the poll: on the current device, and on each receiver while its mouse is away.
inline constexpr int kCurrentDeviceReadMs = 100;
inline constexpr int kReceiverReadMs = 10;
// The read on the current device is made of slices this long, so that a job queued meanwhile waits at
// most one slice instead of the whole read. Nothing is lost between slices: a report that arrives
// after one slice ended is delivered by the next read.
inline constexpr int kPollSliceMs = 10;

// Reads at most one report into `buffer` (all zero when nothing arrived): from the current device when
// there is one, otherwise from the first receiver that has something. A receiver's 0xC0 report updates
// its record's link state at once (and, when the mouse came online, its identity from a fresh info
// query). Returns the device type the report belongs to.
// `stopEarly`, when given, is asked between slices of the read on the current device; true ends the
// read with nothing delivered.
int ReadNotification(Frame& buffer, const std::function<bool()>& stopEarly = {});

// One poll step: reads a report and applies it to the store, the records, the state and the view.
void PollNotification(const ProtocolContext& context);

// Asks every receiver of the current device type for a fresh link report.
void PollLinks(const ProtocolContext& context);

}  // namespace vellomir
