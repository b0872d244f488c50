#include "app/AppIdentity.h"

namespace vellomir {

AppIdentity& AppIdentity::Instance() {
    static AppIdentity identity;
    return identity;
}

std::string AppIdentity::DeviceName() const {
    std::lock_guard lock(mutex_);
    return deviceName_;
}

void AppIdentity::SetDeviceName(std::string name) {
    std::lock_guard lock(mutex_);
    deviceName_ = name.empty() ? std::string(kDefaultDeviceName) : std::move(name);
}

std::map<int, int> AppIdentity::ListedLanguages() const {
    std::lock_guard lock(mutex_);
    return languages_;
}

bool AppIdentity::IsListed(int lcid) const {
    std::lock_guard lock(mutex_);
    auto it = languages_.find(lcid);
    return it != languages_.end() && it->second == 1;
}

void AppIdentity::ClearLanguages() {
    std::lock_guard lock(mutex_);
    languages_.clear();
}

void AppIdentity::AddLanguage(int lcid) {
    std::lock_guard lock(mutex_);
    languages_[lcid] = 1;
}

}  // namespace vellomir
