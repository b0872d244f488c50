#pragma once
// Windows virtual-key codes (the form in which keys are captured and macro events are stored) and
// their HID keyboard usages (the form the mouse sends).

namespace vellomir {

// The HID keyboard usage of a virtual-key code, 0 when the code has none.
int VirtualKeyToUsage(int virtualKey);

// True for the virtual-key codes of the eight modifier keys (160-165, 91, 92).
bool IsModifierVirtualKey(int virtualKey);

// The bit of a modifier key in the HID modifier byte. Accepts the HID usage (0xE0-0xE7) or the
// virtual-key code of the key; 0 gives 0 and any other value is returned unchanged.
int ModifierBit(int code);

}  // namespace vellomir
