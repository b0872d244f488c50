#include "protocol/DeviceState.h"

#include <utility>

namespace vellomir {

int DeviceState::CurrentProfile() const {
    std::lock_guard lock(mutex_);
    return currentProfile_;
}

void DeviceState::SetCurrentProfile(int profile) {
    std::lock_guard lock(mutex_);
    currentProfile_ = profile;
}

int DeviceState::CurrentLightMode() const {
    std::lock_guard lock(mutex_);
    return currentLightMode_;
}

void DeviceState::SetCurrentLightMode(int mode) {
    std::lock_guard lock(mutex_);
    currentLightMode_ = mode;
}

int DeviceState::ShownStageCount() const {
    std::lock_guard lock(mutex_);
    return shownStageCount_;
}

void DeviceState::SetShownStageCount(int count) {
    std::lock_guard lock(mutex_);
    shownStageCount_ = count;
}

int DeviceState::ShownStageIndex() const {
    std::lock_guard lock(mutex_);
    return shownStageIndex_;
}

void DeviceState::SetShownStageIndex(int index) {
    std::lock_guard lock(mutex_);
    shownStageIndex_ = index;
}

int DeviceState::ReportRateCapability() const {
    std::lock_guard lock(mutex_);
    return reportRateCapability_;
}

void DeviceState::SetReportRateCapability(int capability) {
    std::lock_guard lock(mutex_);
    reportRateCapability_ = capability;
}

std::uint8_t DeviceState::MouseLinked() const {
    std::lock_guard lock(mutex_);
    return mouseLinked_;
}

void DeviceState::SetMouseLinked(std::uint8_t linked) {
    std::lock_guard lock(mutex_);
    mouseLinked_ = linked;
}

bool DeviceState::MouseOnline() const {
    std::lock_guard lock(mutex_);
    return mouseOnline_;
}

void DeviceState::SetMouseOnline(bool online) {
    std::lock_guard lock(mutex_);
    mouseOnline_ = online;
}

bool DeviceState::ShowDpiTips() const {
    std::lock_guard lock(mutex_);
    return showDpiTips_;
}

void DeviceState::SetShowDpiTips(bool show) {
    std::lock_guard lock(mutex_);
    showDpiTips_ = show;
}

int DeviceState::SensorCode() const {
    std::lock_guard lock(mutex_);
    return sensorCode_;
}

SensorDpiRange DeviceState::DpiRange() const {
    std::lock_guard lock(mutex_);
    return dpiRange_;
}

void DeviceState::SetSensor(int sensorCode, const SensorDpiRange& range) {
    std::lock_guard lock(mutex_);
    sensorCode_ = sensorCode;
    dpiRange_ = range;
}

void DeviceState::SetPendingMacro(int keyValue) {
    std::lock_guard lock(mutex_);
    pendingMacroKey_ = keyValue;
    pendingMacroFlag_ = true;
}

int DeviceState::PendingMacroKey() const {
    std::lock_guard lock(mutex_);
    return pendingMacroKey_;
}

bool DeviceState::PendingMacroFlag() const {
    std::lock_guard lock(mutex_);
    return pendingMacroFlag_;
}

std::optional<int> DeviceState::TakePendingMacro() {
    std::lock_guard lock(mutex_);
    if (!pendingMacroFlag_) return std::nullopt;
    const int key = pendingMacroKey_;
    pendingMacroFlag_ = false;
    pendingMacroKey_ = -1;
    if (key == -1) return std::nullopt;
    return key;
}

std::uint8_t DeviceState::BatteryA() const {
    std::lock_guard lock(mutex_);
    return batteryA_;
}

std::uint8_t DeviceState::BatteryB() const {
    std::lock_guard lock(mutex_);
    return batteryB_;
}

void DeviceState::SetBattery(std::uint8_t a, std::uint8_t b) {
    std::lock_guard lock(mutex_);
    batteryA_ = a;
    batteryB_ = b;
}

std::string DeviceState::ReceiverVersion() const {
    std::lock_guard lock(mutex_);
    return receiverVersion_;
}

void DeviceState::SetReceiverVersion(std::string version) {
    std::lock_guard lock(mutex_);
    receiverVersion_ = std::move(version);
}

bool DeviceState::MarkTypeRead(int deviceType) {
    std::lock_guard lock(mutex_);
    return typesRead_.insert(deviceType).second;
}

bool DeviceState::WasTypeRead(int deviceType) const {
    std::lock_guard lock(mutex_);
    return typesRead_.count(deviceType) != 0;
}

void DeviceState::ForgetReadTypes() {
    std::lock_guard lock(mutex_);
    typesRead_.clear();
}

}  // namespace vellomir
