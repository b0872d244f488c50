#include "device/ModelSession.h"

#include "storage/ConfigDatabase.h"

namespace vellomir {

ModelSession::ModelSession(Catalogue catalogue, std::filesystem::path programFolder,
                           std::filesystem::path userDataFolder, ModelView& view)
    : catalogue_(std::move(catalogue)),
      programFolder_(std::move(programFolder)),
      userDataFolder_(std::move(userDataFolder)),
      view_(view) {}

ActivationResult ModelSession::Activate(int deviceType) {
    std::lock_guard lock(mutex_);
    const CatalogueEntry* entry = FindModel(catalogue_, deviceType);
    if (entry == nullptr) {
        // No model of that type (none is current before the first device is found): there is no file
        // stem to name a database or description by, so close the previous model's database rather
        // than create a file without a name.
        ConfigDatabase::Instance().CloseIfOpen();
        state_.model_name.clear();
        state_.description_stem.clear();
        state_.device_type = deviceType;
        return {};
    }
    return ActivateModel(deviceType, entry, programFolder_, userDataFolder_, state_, view_);
}

ModelState ModelSession::State() const {
    std::lock_guard lock(mutex_);
    return state_;
}

bool ModelSession::HasLights() const {
    std::lock_guard lock(mutex_);
    return state_.lighting_page;
}

std::filesystem::path ModelSession::DescriptionFile() const {
    std::lock_guard lock(mutex_);
    return DescriptionPath(programFolder_, state_.description_stem);
}

std::optional<DeviceDefaults> ModelSession::Defaults() const {
    return ReadDeviceDefaults(DescriptionFile());
}

}  // namespace vellomir
