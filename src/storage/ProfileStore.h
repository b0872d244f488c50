#pragma once
// Profiles (table t_profile_data). Every operation holds the database lock for its whole run.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ConfigStore.h"
#include "storage/ProfileInfo.h"

namespace vellomir {

// Inserts a profile (name and app from `info`, status 0, type 0) together with its configuration
// rows, all or nothing. The new profile id, or 0 when anything failed (nothing is then stored).
int InsertProfile(const ProfileInfo& info, std::span<const ConfigEntry> configuration);
bool RenameProfile(int profile, std::string_view name);
// Empties `name`, then reads the stored name; false when the profile does not exist.
bool GetProfileName(int profile, std::string& name);
// Replaces the list's content with every profile, in the order SQLite returns them. The count.
int ListProfiles(std::vector<ProfileInfo>& profiles);
// Clears the status of every profile and sets it on `profile`; both or neither. The result of the
// second step (true also when `profile` does not exist, which leaves no profile active).
bool ActivateProfile(int profile);
// The id of the first profile with status 1; 0 when none.
int GetActiveProfile();

}  // namespace vellomir
