#include "profiles/Profiles.h"

#include <vector>

#include "common/Text.h"
#include "profiles/ConfigKeys.h"
#include "profiles/DeviceDefaults.h"
#include "storage/ProfileStore.h"
#include "storage/StoreTransaction.h"

namespace vellomir {

int CreateProfile(const ProfileInfo& info) {
    return InsertProfile(info, DefaultConfig());
}

namespace {

// The four initial profiles with the model's defaults, the first one active; all or nothing.
bool CreateInitialProfiles(std::string_view profileWord, const std::optional<DeviceDefaults>& defaults) {
    StoreTransaction change;
    int first = 0;
    for (int n = 1; n <= kInitialProfiles; ++n) {
        ProfileInfo info;
        info.name = StrFormat("%.*s %d", static_cast<int>(profileWord.size()), profileWord.data(), n);
        const int id = CreateProfile(info);
        if (id == 0) return false;
        if (defaults && !ApplyDeviceDefaults(id, *defaults, false)) return false;
        if (first == 0) first = id;
    }
    // The first new profile is 1 in a new file; its own id is used so that a file whose id sequence
    // moved on still ends with an active profile.
    return ActivateProfile(first) && change.Commit();
}

}  // namespace

LoadedProfiles LoadProfiles(std::string_view profileWord, const std::optional<DeviceDefaults>& defaults) {
    LoadedProfiles result;
    std::vector<ProfileInfo> profiles;
    if (ListProfiles(profiles) == 0) result.created = CreateInitialProfiles(profileWord, defaults);

    result.current_profile = GetActiveProfile();
    if (result.current_profile < 1 && ListProfiles(profiles) > 0) {
        ActivateProfile(profiles.front().profile);
        result.current_profile = GetActiveProfile();
    }
    if (result.current_profile > 0) GetProfileName(result.current_profile, result.name);
    return result;
}

std::string ProfileDisplayName(std::string_view stored, std::string_view profileWord) {
    for (std::string_view prefix : {std::string_view("Profile"), std::string_view("配置")}) {
        if (stored.starts_with(prefix)) {
            std::string shown(profileWord);
            shown += ' ';
            shown += stored.substr(prefix.size());
            return shown;
        }
    }
    return std::string(stored);
}

}  // namespace vellomir
