#pragma once
// One profile (a row of t_profile_data).

#include <string>

namespace vellomir {

struct ProfileInfo {
    int profile = 0;   // row id
    std::string name;  // as the user or the program wrote it (see ProfileDisplayName)
    std::string app;   // always empty
    int type = 0;      // always 0
    int status = 0;    // 1 for the active profile, 0 for the others
    bool operator==(const ProfileInfo&) const = default;
};

}  // namespace vellomir
