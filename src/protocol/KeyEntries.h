#pragma once
// The three bytes the mouse keeps per button: the function group byte followed by two bytes whose
// meaning depends on the group.

#include <array>
#include <cstdint>
#include <optional>

namespace vellomir {

using KeyEntry = std::array<std::uint8_t, 3>;

// How a macro bound to a button is played (`play_type`, `play_times` of the macro).
struct MacroPlay {
    int playType = 0;
    int playTimes = 1;
};

// What a button is bound to (`key_code`, `macro_type`, `macro_value`, `macro_value2` of a binding).
struct BindingValues {
    int keyValue = 0;
    int type = 0;
    int value = 0;
    int value2 = 0;
};

// The entry a button has before any binding is applied.
KeyEntry DefaultKeyEntry(int keyValue);

// The entry of a macro binding: 0x90, the key value with the play bits, and the play count.
KeyEntry MacroKeyEntry(int keyValue, MacroPlay play);

// The entry of a binding. `macro` is the bound macro's play settings for a macro binding, empty when
// no stored macro has that id. Empty result: the button keeps its default entry (a macro binding
// without its macro, or a group the mouse does not know).
std::optional<KeyEntry> EncodeKeyEntry(const BindingValues& binding, const std::optional<MacroPlay>& macro);

}  // namespace vellomir
