#pragma once
// The setting jobs: each reads the current profile's stored values, builds its command and sends it to
// the current device. A failed transaction runs the communication-failure handling; the stored values
// stay as they are.

#include "protocol/Frame.h"
#include "protocol/ProtocolContext.h"

namespace vellomir {

// Job 8: the light effect of the current light mode (nothing sent when the profile has no row for it).
WriteResult WriteLight(const ProtocolContext& context);
// Job 9: DPI stages, count and index, clamped to the sensor's range and encoded for it.
WriteResult WriteDpiStages(const ProtocolContext& context);
// Job 10: the six stage colours.
WriteResult WriteDpiColours(const ProtocolContext& context);
// Job 11: the report rate.
WriteResult WriteReportRate(const ProtocolContext& context);
// Job 12: lift-off distance and sensor options.
WriteResult WriteSensor(const ProtocolContext& context);
// Job 13: sleep, wake and light-off options and the button response time.
WriteResult WritePower(const ProtocolContext& context);

// Job 17: asks the mouse to restore its light effect, then reads the effect back into the store and
// refreshes the lighting page. The command's own result is not looked at; false when the read-back
// failed.
bool ResetLight(const ProtocolContext& context);

// The device part of job 20: the factory-reset command (its result is not looked at). The next
// configuration read goes to the mouse again for every device type.
void SendFactoryReset(const ProtocolContext& context);

// Reply to the light query: makes its mode the current and the profile's active light mode and stores
// its brightness and speed in that mode's row (when the profile has one).
void StoreLightReply(const ProtocolContext& context, int profile, const Frame& reply);

// Job 5 after its page refresh: keys (with a pending macro), light (only when the model has lights),
// DPI stages, DPI colours, report rate, sensor and power options, in that order. The number of setting
// writes that failed.
int WriteAll(const ProtocolContext& context, bool modelHasLights);

}  // namespace vellomir
