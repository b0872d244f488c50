#pragma once
// Profile files: one profile's button bindings, lighting rows, DPI stages and performance and power
// values as XML (root `profile`), written by export and read back by import into any profile.
//
//   <profile>
//   <profileinfo name="...">
//   <keyitems>  <item key_code macro_type macro_value macro_value2 macro_value3 macro_desc/> ...
//   <Lightitems lightmode="..."> <item light_mode brightness speed direction colorful colorindex
//                                      color_value1 .. color_value7/> ...      (models with lighting)
//   <Mouse_DPI dpi_flag dpi_index dpi_count> <DPI1 value color/> .. <DPI6/>
//   <Mouse> <button_respondtime value/> <report_rate/> <sensor_flag/> <liftoff_height/> <scroll_flag/>
//           <e-sports_flag/> <sleep_light/> <move_wakeup/> <move_closelight/>
//
// Sections are read in this order and only forward: a section that stands before one already read is
// not seen. Macros are not carried; a macro binding keeps the macro id of the exporting database.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage/KeyBinding.h"
#include "storage/LightSetting.h"

namespace vellomir {

inline constexpr int kProfileFileDpiStages = 6;

// The content of a profile file.
struct ProfileFileData {
    std::string name;                  // profileinfo/@name (not used by import)
    std::vector<KeyBinding> bindings;  // key_code, macro_type, macro_value(2, 3), macro_desc

    struct Lighting {
        int active_mode = 0;              // Lightitems/@lightmode
        std::vector<LightSetting> items;  // mode, brightness .. colorindex, color_value
    };
    std::optional<Lighting> lighting;

    struct DpiStage {
        std::string value;
        std::string color;
    };
    struct Dpi {
        std::string flag, index, count;
        std::array<std::optional<DpiStage>, kProfileFileDpiStages> stages;
    };
    std::optional<Dpi> dpi;

    // The children of `Mouse` that were found, in file order: key and value text.
    std::vector<std::pair<std::string, std::string>> mouse;
};

// What the profile file needs to know of the current model and language.
struct ProfileFileOptions {
    std::string profile_word;   // UI text 61, for the name written into the file
    bool has_lighting = false;  // the model has a lighting page
};

// Writes `profile` to `path`, replacing the file all at once (an earlier file is untouched when the
// write fails). False when the profile does not exist or the file could not be written.
bool ExportProfileFile(int profile, const std::filesystem::path& path, const ProfileFileOptions& options);

enum class ProfileFileStatus {
    Ok,
    Unreadable,   // missing, unreadable or not well-formed XML
    NotAProfile,  // no root `profile` or no `profileinfo` in it
    StoreFailed,  // the database refused the change (or the target profile does not exist)
};

struct ProfileFileRead {
    ProfileFileStatus status = ProfileFileStatus::Unreadable;
    ProfileFileData data;
};

// Reads a whole profile file without touching the database. Lightitems is only looked for when the
// model has lighting (which decides where the forward-only search stands for what follows).
ProfileFileRead ReadProfileFile(const std::filesystem::path& path, bool hasLighting);

// The profile name an imported file gives: the file's name without its folder and its last four
// characters (the ".xml"); empty when nothing would remain.
std::string ProfileNameFromFile(const std::filesystem::path& path);

struct ProfileImportResult {
    ProfileFileStatus status = ProfileFileStatus::Unreadable;
    std::string profile_name;  // the profile's name after the import
};

// Imports `path` into `profile`: the file is read and checked completely first; then, in one change
// that lands whole or not at all, the profile is renamed after the file, its bindings are replaced by
// the file's, its lighting rows that exist for the file's modes are updated (and the file's active mode
// chosen when the profile has it), and the DPI and performance values the file holds are stored.
// `requestProfileWrite` (queueing the job that writes the profile to the mouse) runs only after a
// successful import. A file that fails changes nothing.
ProfileImportResult ImportProfileFile(const std::filesystem::path& path, int profile,
                                      const ProfileFileOptions& options,
                                      const std::function<void()>& requestProfileWrite);

}  // namespace vellomir
