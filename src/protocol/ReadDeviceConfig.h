#pragma once
// Reads the mouse's own settings back into the current profile (jobs 1 to 4, and the link-up read when
// a receiver reports its mouse back online).

#include "protocol/DpiTables.h"
#include "protocol/ProtocolContext.h"

namespace vellomir {

// Normal: shows the stored battery state first, applies the normal DPI table and reads the receiver's
// version at the end. Link-up: neither of the two, and the link-up DPI table.
//
// Takes sensor, report-rate capability, battery and the linked flag from the current record's info
// block. A mouse that is not linked (or no current device) runs the communication-failure handling
// and gives false. Each device type is read from the mouse once per run; a type read already gives
// true at once. Every query that fails leaves its stored values alone.
bool ReadDeviceConfig(const ProtocolContext& context, DpiTableVariant variant = DpiTableVariant::kNormal);

// The battery display with the stored battery bytes and `level` in place of byte B.
void ShowStoredBattery(const ProtocolContext& context, int level);

}  // namespace vellomir
