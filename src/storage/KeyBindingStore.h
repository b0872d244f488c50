#pragma once
// Button bindings (table t_key_macro_data). Reads and the description update select fn_layer 0.
// Every operation holds the database lock for its whole run.

#include <string_view>
#include <vector>

#include "storage/KeyBinding.h"

namespace vellomir {

// Replaces the binding of the record's profile, fn_layer and key_code. A record whose macro_value and
// macro_value2 are both 0 only removes the row (the button goes back to its default) and returns 0;
// otherwise the new key_id, or 0 when the insert failed (the old binding is then kept).
int SaveKeyBinding(const KeyBinding& binding);
// All eleven columns of the button's row; false (and `binding` unchanged) when there is none.
bool GetKeyBinding(int profile, int keyCode, KeyBinding& binding);
bool UpdateKeyBindingDesc(int profile, int keyCode, std::string_view desc);
// Replaces the list's content with the profile's bindings. The count.
int ListKeyBindings(int profile, std::vector<KeyBinding>& bindings);
bool DeleteKeyBindings(int profile);

}  // namespace vellomir
