#pragma once
// The function bound to one mouse button in one profile (a row of t_key_macro_data). A button without
// a row has the default function of its model.

#include <string>

namespace vellomir {

struct KeyBinding {
    int key_id = 0;  // row id
    int profile = 0;
    int fn_layer = 0;  // always 0
    int key_code = 0;  // the button
    int layout_value = 0;
    std::string layout_desc;
    int macro_type = 0;  // function group, 1 to 9 (4: a macro)
    int macro_value = 0;
    int macro_value2 = 0;
    int macro_value3 = 0;
    std::string macro_desc;  // the text shown for the function
    bool operator==(const KeyBinding&) const = default;
};

}  // namespace vellomir
