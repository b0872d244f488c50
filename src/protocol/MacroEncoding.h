#pragma once
// Macro events as the mouse stores them: four bytes per key or button event (code, delay after the
// event in milliseconds low byte first, value). Delay rows are folded into the delay of the event
// before them.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vellomir {

// A stored macro event (`type` and `value` of a macro record): 1 delay, 2 key down, 3 key up (value:
// virtual-key code), 4 mouse down, 5 mouse up (value: button bit).
struct MacroStep {
    int type = 0;
    int value = 0;
};

using DeviceMacroEvent = std::array<std::uint8_t, 4>;

// The longest macro the mouse can take: one download carries at most 15 packets of 27 bytes, that is
// the key byte and 101 events.
inline constexpr std::size_t kMaxMacroEvents = 101;
inline constexpr std::size_t kMaxMacroPayload = 405;
inline constexpr int kMaxMacroDelay = 0xFFFF;

std::vector<DeviceMacroEvent> EncodeMacroEvents(std::span<const MacroStep> steps);

enum class MacroPayloadStatus { kOk, kTooLong };

struct MacroPayload {
    MacroPayloadStatus status = MacroPayloadStatus::kOk;
    std::size_t eventCount = 0;
    std::vector<std::uint8_t> bytes;  // key value, then the events; empty when refused
};

// The payload of the macro command for one key. A macro with more events than one download can
// carry is refused (status kTooLong, no bytes) rather than cut or sent with a wrong packet byte.
MacroPayload EncodeMacroPayload(int keyValue, std::span<const MacroStep> steps);

}  // namespace vellomir
