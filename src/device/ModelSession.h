#pragma once
// The current mouse model as both threads see it: the catalogue the window loaded, the folders, and
// the state of the model last activated (its description and database). Activation can be asked for
// by the worker (rescans) and by the UI thread (a choice in the device list); the session serialises
// them.

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/DeviceDescription.h"
#include "catalogue/ModelState.h"

namespace vellomir {

class ModelSession {
public:
    ModelSession(Catalogue catalogue, std::filesystem::path programFolder,
                 std::filesystem::path userDataFolder, ModelView& view);

    const Catalogue& catalogue() const { return catalogue_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }
    const std::filesystem::path& userDataFolder() const { return userDataFolder_; }

    // Switches to the model of `deviceType`: its database and its description.
    ActivationResult Activate(int deviceType);

    ModelState State() const;
    bool HasLights() const;
    // The current model's description file ("<program folder>/device/<stem>.xml").
    std::filesystem::path DescriptionFile() const;
    // The current model's defaults, when its description file can be read.
    std::optional<DeviceDefaults> Defaults() const;

private:
    const Catalogue catalogue_;
    const std::filesystem::path programFolder_;
    const std::filesystem::path userDataFolder_;
    ModelView& view_;
    mutable std::mutex mutex_;
    ModelState state_;
};

}  // namespace vellomir
