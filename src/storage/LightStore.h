#pragma once
// Lighting rows (table t_light_data): one row per lighting mode and profile. Every operation holds the
// database lock for its whole run.

#include <vector>

#include "storage/LightSetting.h"

namespace vellomir {

// The number of rows of the profile; 0 also when the count cannot be read.
int CountLights(int profile);
// Inserts every field of the record but light_id. The new light_id, or 0.
int InsertLight(const LightSetting& light);
// Sets brightness, speed, direction, colorful, colorindex, the seven colours, config_func and reserved
// from the record on the rows of the record's profile whose mode is `mode`; name and status stay.
bool UpdateLight(int mode, const LightSetting& light);
// Clears the status of the profile's rows and sets it on the row of `mode`; both or neither. The
// result of the second step.
bool SetActiveLightMode(int profile, int mode);
// The mode of the profile's first row with status 1; 0 when none.
int GetActiveLightMode(int profile);
// All nineteen columns of the profile's row for `mode`; false (and `light` unchanged) when none.
bool GetLight(int profile, int mode, LightSetting& light);
// Replaces the list's content with the profile's rows. The count.
int ListLights(int profile, std::vector<LightSetting>& lights);

}  // namespace vellomir
