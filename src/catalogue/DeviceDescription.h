#pragma once
// Reader of a model's description file ("<program folder>/device/<stem>.xml"): its picture, pages and
// options, buttons with their default functions and label positions, lighting effects, firmware
// location, and the factory defaults of its settings. The program never writes these files.
//
// Three routines use the file and each walks it in its own order with a forward-only cursor, so an
// element is seen only where that routine looks for it:
//   - activation: inside `mouse`, in order image_file, menu, custom, firmware, mouse_key, mouse_info;
//     inside mouse_info it looks for light_info from the first child;
//   - the defaults: `mouse`, `mouse_info`, then dpi_info, report_rate, sleep_light, move_wakeup,
//     move_closelight and lod in this order;
//   - the report-rate default: `mouse`, `mouse_info`, `report_rate`, each from the first child.
// Each reader below follows one of these walks. Attribute texts are kept as written; flags are on only
// when their decimal value is exactly 1. A missing element is an empty optional, so callers can keep
// their previous value for it.
//
// The shipped files also give image_file a `width` and a `height`: the size of the picture their key
// labels are laid out for. The program does not need them; the check of the shipped files does.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/KeyDefinition.h"

namespace vellomir {

inline constexpr int kDescriptionDpiStages = 6;
inline constexpr int kDescriptionLightEffects = 6;

// The `custom` element: which optional parts of the pages the model shows.
struct DescriptionCustom {
    bool show_dpitips = false;
    bool show_savetips = false;
    bool show_lod = false;
    bool show_sensor = false;
    bool operator==(const DescriptionCustom&) const = default;
};

// What activation reads.
struct ModelDescription {
    std::optional<std::string> mouse_img;             // image_file/@mouse_img
    std::optional<bool> lighting_page;                // menu/@light
    std::optional<DescriptionCustom> custom;          // custom
    std::optional<std::string> firmware_url;          // firmware/@url
    std::optional<std::vector<DescriptionKey>> keys;  // mouse_key/key, in file order
    // light_info/light_1..light_6 @enable; each present only when its element is.
    std::array<std::optional<bool>, kDescriptionLightEffects> light_effects{};
    bool operator==(const ModelDescription&) const = default;
};

// One DPI stage default: the texts of dpi_N/@value and dpi_N/@color ("#RRGGBB").
struct DpiStageDefault {
    std::string value;
    std::string color;
    bool operator==(const DpiStageDefault&) const = default;
};

struct DpiDefaults {
    std::string default_dpi;  // 0-based index of the active stage
    std::string dpi_count;    // number of stages in use
    std::array<std::optional<DpiStageDefault>, kDescriptionDpiStages> stages{};
    bool operator==(const DpiDefaults&) const = default;
};

// What the defaults routine reads from mouse_info. Texts as written (stored unchanged, colours apart).
struct DeviceDefaults {
    bool has_mouse_info = false;
    std::optional<DpiDefaults> dpi;
    std::optional<std::string> report_rate;      // report_rate/@default_value (rate code)
    std::optional<std::string> sleep_light;      // sleep_light/@value
    std::optional<std::string> move_wakeup;      // move_wakeup/@value
    std::optional<std::string> move_closelight;  // move_closelight/@value
    std::optional<std::string> lod;              // lod/@value (lift-off choice)
    bool operator==(const DeviceDefaults&) const = default;
};

// Everything the three routines read from one file.
struct DeviceDescription {
    ModelDescription model;
    DeviceDefaults defaults;
    std::optional<std::string> report_rate_default;  // as the report-rate restore finds it
};

// "<programFolder>/device/<stem>.xml".
std::filesystem::path DescriptionPath(const std::filesystem::path& programFolder, const std::string& stem);

// Each reader returns nothing when the file does not load or is not well-formed. A file without a
// `mouse` root reads as a description with nothing present.
std::optional<ModelDescription> ReadModelDescription(const std::filesystem::path& file);
std::optional<DeviceDefaults> ReadDeviceDefaults(const std::filesystem::path& file);
// report_rate/@default_value; nothing also when mouse, mouse_info or report_rate is missing.
std::optional<std::string> ReadReportRateDefault(const std::filesystem::path& file);
std::optional<DeviceDescription> ReadDeviceDescription(const std::filesystem::path& file);

}  // namespace vellomir
