#include "device/ModelSession.h"

namespace vellomir {

ModelSession::ModelSession(Catalogue catalogue, std::filesystem::path programFolder,
                           std::filesystem::path userDataFolder, ModelView& view)
    : catalogue_(std::move(catalogue)),
      programFolder_(std::move(programFolder)),
      userDataFolder_(std::move(userDataFolder)),
      view_(view) {}

ActivationResult ModelSession::Activate(int deviceType) {
    std::lock_guard lock(mutex_);
    return ActivateModel(deviceType, FindModel(catalogue_, deviceType), programFolder_, userDataFolder_,
                         state_, view_);
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
