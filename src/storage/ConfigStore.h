#pragma once
// Configuration values of a profile (table t_configdata): one text value per key and profile. The
// keys and their defaults are the profile library's business; this store only moves texts.
// Every operation holds the database lock for its whole run.

#include <span>
#include <string>
#include <string_view>

namespace vellomir {

struct ConfigEntry {
    std::string_view key;
    std::string_view value;
};

// Updates every row of the profile and key; creates none. Succeeds also when no row matched.
bool SetConfigValue(int profile, std::string_view key, std::string_view value);
// Empties `value`, then reads the first row of the profile and key; false when there is none.
bool GetConfigValue(int profile, std::string_view key, std::string& value);
// Inserts one row per entry, in order; true when every insert succeeded.
bool InsertConfigRows(int profile, std::span<const ConfigEntry> rows);

}  // namespace vellomir
