#pragma once
// The four profiles of a database file: creating them the first time a model is loaded, choosing the
// active one, and the names shown for them.

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/DeviceDescription.h"
#include "storage/ProfileInfo.h"

namespace vellomir {

inline constexpr int kInitialProfiles = 4;

// Creates a profile (status 0, type 0) with the default configuration set, all or nothing. Its id, or
// 0 on failure.
int CreateProfile(const ProfileInfo& info);

struct LoadedProfiles {
    int current_profile = 0;  // the active profile; 0 when the database holds none
    std::string name;         // its stored name, for the profile-name control
    bool created = false;     // the four initial profiles were made by this call
};

// Makes sure the open database has its profiles and returns the active one. A file without profiles
// first receives four, named "<profileWord> 1" to "<profileWord> 4" (profileWord: UI text 61), each
// with the default configuration overwritten by `defaults` (the model description's, when it could be
// read), and the first of them active; they are created all together or not at all. When no profile
// is active afterwards, the first one listed is activated.
LoadedProfiles LoadProfiles(std::string_view profileWord, const std::optional<DeviceDefaults>& defaults);

// The text shown for a stored profile name: a name starting with "Profile" or "配置" gets that word
// replaced by `profileWord` followed by a space (the rest keeps its own leading space, so "Profile 2"
// shows as "<profileWord>  2"); any other name is shown as stored.
std::string ProfileDisplayName(std::string_view stored, std::string_view profileWord);

}  // namespace vellomir
