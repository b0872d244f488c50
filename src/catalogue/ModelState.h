#pragma once
// The state of the current mouse model that the main window keeps, and its activation: choosing the
// model's database and reading its description file into this state and into the window's controls.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/CatalogueEntry.h"
#include "catalogue/DeviceDescription.h"
#include "catalogue/KeyDefinition.h"

namespace vellomir {

struct ModelState {
    std::string model_name;        // catalogue entry `name`
    std::string description_stem;  // catalogue entry `device_attr`
    int device_type = 0;           // the device type the open database belongs to
    bool lighting_page = false;    // the model has a lighting page
    bool show_dpi_tips = false;
    bool show_save_tips = false;
    bool show_lod = false;     // lift-off setting shown
    bool show_sensor = false;  // sensor settings shown
    std::string firmware_url;  // the model's firmware location on the update server
    std::array<bool, kDescriptionLightEffects> light_effects{};  // lighting effects 1 to 6 available
    std::vector<KeyDefinition> keys;  // default binding of every button, in file order
};

// Folds what a description file held into the state: every field whose element was present is
// replaced, every other field keeps its value. The key list is rebuilt only when `mouse_key` was there.
// Name and stem are not touched (they come from the catalogue).
void ApplyModelDescription(const ModelDescription& description, ModelState& state);

// Where the model picture goes: its own size, left edge at clientWidth - width - 150, top 120. Nothing
// when the picture is not wider than 1 pixel (not loaded).
struct PictureRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PictureRect&) const = default;
};
std::optional<PictureRect> ModelPictureRect(int clientWidth, int pictureWidth, int pictureHeight);

// What activation does to the main window. The GUI implements it. Activation may run on the device
// worker, so an implementation hands the calls that change controls to the UI thread in order, and
// answers SetModelPicture and ClientWidth at once from state it keeps thread-safe (the picture's size
// can be read from its file). Text ids are numbers of the language section "LAN".
class ModelView {
public:
    virtual ~ModelView() = default;
    struct Size {
        int width = 0;
        int height = 0;
    };
    // Loads "device/<mouse_img>" (relative to the skin) into the picture control; returns its size
    // (0 x 0 when it could not be loaded).
    virtual Size SetModelPicture(const std::string& skinRelativePath) = 0;
    virtual int ClientWidth() const = 0;
    virtual void PlaceModelPicture(const PictureRect& rect) = 0;
    // Shows or hides the lighting tab (tab item 4).
    virtual void ShowLightingTab(bool shown) = 0;
    virtual void LayoutPages() = 0;
    // Empties the picture's key labels (MouseCtrl) and the key list (MouseKeyCtrl).
    virtual void ClearKeys() = 0;
    virtual void AddKeyLabel(int nameText, int keyCode, int direction, KeyPoint from, KeyPoint to) = 0;
    virtual void AddKeyItem(int nameText, int functionText, int keyCode) = 0;
    // After the last key: select item 0 in both controls and size the list for `count` keys.
    virtual void FinishKeys(int count) = 0;
};

// Hands what a description file held to the window's controls, in the order activation does it:
// picture, lighting tab, page layout, key labels and key list. Missing elements leave their controls.
void ShowModelDescription(const ModelDescription& description, ModelView& view);

struct ActivationResult {
    bool database_open = false;     // OpenForDevice succeeded
    bool description_read = false;  // the description file loaded; false leaves the state as it was
};

// Activates the model of `deviceType`; `entry` is its catalogue entry (FindModel of that device type),
// null when the catalogue has none: name and stem then become empty. Closes the open database and
// opens "<userDataFolder>/db/<stem>_data.db", then reads "<programFolder>/device/<stem>.xml" into
// `state` and `view`. After a failed read the new model's database is open nevertheless, and the rest
// of the state keeps the previous model's values. The caller serialises access to `state`.
ActivationResult ActivateModel(int deviceType, const CatalogueEntry* entry,
                               const std::filesystem::path& programFolder,
                               const std::filesystem::path& userDataFolder, ModelState& state,
                               ModelView& view);

// Data part of restoring the report-rate default: reads report_rate/@default_value of the model's
// description file and stores it as `report_rate` and `report_rate_wireless` of `profile` in the open
// database, both or neither. Returns the stored text (for the report-rate control); nothing when the
// file or the element is missing or the values could not be stored. Either way the caller then queues
// the report-rate job and shows the save tip.
std::optional<std::string> RestoreReportRateDefault(const std::filesystem::path& descriptionFile,
                                                    int profile);

}  // namespace vellomir
