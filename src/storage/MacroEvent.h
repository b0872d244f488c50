#pragma once
// One event of a macro (a row of t_macrorecord). The text comes last here although `desc` is the
// fifth column of the table.

#include <string>

namespace vellomir {

struct MacroEvent {
    int record_id = 0;  // row id
    int macro_id = 0;
    int type = 0;          // 1 delay, 2 key down, 3 key up, 4 mouse down, 5 mouse up
    int record_index = 0;  // position in the macro, from 0
    int value = 0;         // delay in ms, virtual-key code or button bit
    int delay_time = 0;    // the event's stamp (a down/up pair shares one), not a delay
    std::string desc;      // display text
    bool operator==(const MacroEvent&) const = default;
};

}  // namespace vellomir
