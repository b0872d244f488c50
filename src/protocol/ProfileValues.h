#pragma once
// Integer configuration values of a profile, as the device procedures read and write them: decimal
// texts in the configuration store, read the way `_wtoi` reads (a missing key reads as 0).

#include <string_view>

namespace vellomir {

int ReadProfileInt(int profile, std::string_view key);
// True when the store accepted the update (also when the profile lacks the key).
bool WriteProfileInt(int profile, std::string_view key, int value);

}  // namespace vellomir
