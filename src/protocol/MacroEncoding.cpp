#include "protocol/MacroEncoding.h"

#include "protocol/VirtualKeys.h"

namespace vellomir {

namespace {

constexpr int kDelay = 1;
constexpr int kKeyDown = 2;
constexpr int kKeyUp = 3;
constexpr int kMouseDown = 4;
constexpr int kMouseUp = 5;

constexpr std::uint8_t Low(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

void SetDelay(DeviceMacroEvent& event, long long delay) {
    // Folded delay rows can add up beyond what the two delay bytes hold; the mouse then waits as long
    // as it can instead of a wrapped-around time.
    const int ms = delay <= 0 ? 1 : (delay > kMaxMacroDelay ? kMaxMacroDelay : static_cast<int>(delay));
    event[1] = Low(ms);
    event[2] = Low(ms >> 8);
}

}  // namespace

std::vector<DeviceMacroEvent> EncodeMacroEvents(std::span<const MacroStep> steps) {
    std::vector<DeviceMacroEvent> events;
    long long pendingDelay = 0;
    for (const MacroStep& step : steps) {
        std::uint8_t code = 0;
        int value = 0;
        switch (step.type) {
            case kDelay:
                pendingDelay += step.value;
                continue;
            case kKeyDown:
            case kKeyUp: {
                const bool down = step.type == kKeyDown;
                if (IsModifierVirtualKey(step.value)) {
                    code = down ? 0x20 : 0xA0;
                    value = ModifierBit(step.value);
                } else {
                    code = down ? 0x30 : 0xB0;
                    value = VirtualKeyToUsage(step.value);
                }
                break;
            }
            case kMouseDown:
                code = 0x10;
                value = step.value;
                break;
            case kMouseUp:
                code = 0x90;
                value = step.value;
                break;
            default:
                continue;  // not an event the mouse plays
        }
        // The delay rows read since the previous event become its delay. Rows before the first event
        // are carried over to the delay after it.
        if (!events.empty()) {
            SetDelay(events.back(), pendingDelay);
            pendingDelay = 0;
        }
        DeviceMacroEvent event{code, 0, 0, Low(value)};
        SetDelay(event, 1);
        events.push_back(event);
    }
    return events;
}

MacroPayload EncodeMacroPayload(int keyValue, std::span<const MacroStep> steps) {
    MacroPayload payload;
    const std::vector<DeviceMacroEvent> events = EncodeMacroEvents(steps);
    payload.eventCount = events.size();
    if (events.size() > kMaxMacroEvents) {
        payload.status = MacroPayloadStatus::kTooLong;
        return payload;
    }
    payload.bytes.reserve(1 + 4 * events.size());
    payload.bytes.push_back(Low(keyValue));
    for (const DeviceMacroEvent& event : events)
        payload.bytes.insert(payload.bytes.end(), event.begin(), event.end());
    return payload;
}

}  // namespace vellomir
