#pragma once
// Applying the factory defaults of a model's description file to a profile's configuration.

#include <filesystem>

#include "catalogue/DeviceDescription.h"

namespace vellomir {

// Overwrites configuration values of `profile` with the defaults the description states, all or
// nothing. DPI: default_dpi goes to dpi_index, dpi_count to both dpi_flag and dpi_count, each stage
// dpi_N present to dpi_group<N-1>_value and (through ParseHexColor) dpi_group<N-1>_rgb; stages 7 and 8
// are never touched. Unless `dpiOnly`: report_rate, sleep_light, move_wakeup, move_closelight and
// liftoff_height (from lod). Texts are stored as written; an element the description lacks leaves its
// keys as they were, and a description without mouse_info changes nothing. True when every write
// succeeded.
bool ApplyDeviceDefaults(int profile, const DeviceDefaults& defaults, bool dpiOnly);

// The same, reading the defaults from the description file; false (and nothing changed) when the
// file cannot be read.
bool ApplyDeviceDefaults(int profile, const std::filesystem::path& descriptionFile, bool dpiOnly);

}  // namespace vellomir
