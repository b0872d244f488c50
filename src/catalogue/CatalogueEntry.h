#pragma once
// One entry of the catalogue lists: a model, or one USB identity (connection mode) of a model.

#include <cstdint>
#include <filesystem>
#include <string>

namespace vellomir {

struct CatalogueEntry {
    std::string name;                  // mouse `name`: the display name in the device list
    std::int32_t device_type = 0;      // mouse `device_type`
    std::string description_stem;      // mouse `device_attr`: names the description file and database
    std::filesystem::path image_path;  // the skin's device/ folder followed by mouse `image`
    std::int32_t mode_value = 0;       // mode `value` (0 in the model list)
    std::int32_t vendor_id = 0;        // mode `vid` (0 in the model list)
    std::int32_t product_id = 0;       // mode `pid` (0 in the model list)
    std::string device_id;             // mode `dev_id`
    std::string mode_description;      // mode `desc`
    std::string spare;                 // not filled from the file
    std::string interface_text;        // mode `hid_interface`
    std::int32_t state = 0;            // connection state, kept by the device records
    std::int32_t slot = -1;            // slot, kept by the device records

    bool operator==(const CatalogueEntry&) const = default;
};

}  // namespace vellomir
