#pragma once
// The program's own small settings, kept as decimal texts in the settings file
// $XDG_CONFIG_HOME/<device name>/settings.conf (see SettingsFile.h for its form). The file stands for
// the program's settings key: it is created by the first read of a value (except the device type),
// and values are only written into an existing file. Every write replaces the file atomically, so a
// crash mid-write never leaves a broken file. Safe to call from any thread.

#include <string>
#include <string_view>

namespace vellomir {

// Value names.
inline constexpr const char* kLanguageValue = "LCID";
inline constexpr const char* kDeviceTypeValue = "DeviceType";
inline constexpr const char* kExitModeValue = "exit_mode";
inline constexpr const char* kAutorunMinimizeValue = "autorun_minimize";

// The decimal value of `name`; 0 when the value is missing or not a number. A missing settings file
// is created (empty) and 0 returned; any other failure (unreadable file, a folder in its place)
// returns 0.
int ReadAppValue(std::string_view name);
// Stores `text` under `name` in the existing settings file. Does nothing and returns false when the
// file cannot be opened (it is not created here) or cannot be replaced; the earlier file then stays.
bool WriteAppValue(std::string_view name, std::string_view text);

// As ReadAppValue / WriteAppValue for LCID, except that a failure other than a missing file (or a
// missing file that cannot be created) reads as 2052.
int ReadLanguage();
bool WriteLanguage(int lcid);

// As ReadAppValue / WriteAppValue for DeviceType, except that reading never creates the file (0 when
// it cannot be opened).
int ReadDeviceType();
bool WriteDeviceType(int deviceType);

}  // namespace vellomir
