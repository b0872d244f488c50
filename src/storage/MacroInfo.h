#pragma once
// One macro (a row of t_macro_data). Macros belong to the database file and are shared by all
// profiles.

#include <string>

namespace vellomir {

struct MacroInfo {
    int macro_id = 0;  // row id
    std::string name;
    int play_type = 0;   // 0: play play_times times; 1, 2: the other play modes
    int play_times = 0;  // repeat count for play_type 0
    int delay_type = 0;  // 0, 1, 2: how delays are recorded
    int delay_time = 0;  // fixed delay in ms for delay_type 2
    bool operator==(const MacroInfo&) const = default;
};

}  // namespace vellomir
