#include "device/ConnectionState.h"

#include <vector>

#include "app/AppSettings.h"
#include "device/DeviceManager.h"

namespace vellomir {

namespace {

// Device list entry of a receiver whose mouse has no device id of its own.
constexpr int kReceiverEntryType = 101;

int TitleFor(int connectionKind) {
    return connectionKind == kConnectionReceiver ? kTitleReceiver : kTitleCable;
}

}  // namespace

ConnectionState::ConnectionState(DeviceState& state, WorkerView& view, ModelSession& model)
    : state_(state), view_(view), model_(model) {}

void ConnectionState::ChangeCurrentDevice(int deviceType) {
    currentType_ = deviceType;
    DeviceManager::Instance().SetCurrentType(deviceType);  // also drops the cached handle
    WriteDeviceType(deviceType);
    ActivateModel(deviceType);
}

void ConnectionState::ActivateModel(int deviceType) {
    model_.Activate(deviceType);
    state_.SetShowDpiTips(model_.State().show_dpi_tips);
}

void ConnectionState::Rescan() {
    DeviceManager& manager = DeviceManager::Instance();
    const int saved = ReadDeviceType();

    manager.RebuildRecords();

    std::vector<DeviceRecord> records;
    manager.SetCurrentType(0);
    manager.CollectRecords(false, records);
    manager.SetCurrentType(saved);

    view_.SetAllDeviceState(0);
    bool identified = false;
    for (const DeviceRecord& record : records) {
        if (record.dev_type <= 0) continue;
        identified = true;
        view_.SetDeviceState(record.dev_type, record.dev_mode, record.link_state);
        view_.SetDeviceVersion(record.dev_type, record.release_number);
    }

    if (identified) {
        view_.SetSelectDevice(saved);
        ChangeCurrentDevice(view_.GetSelectDevice());
    }

    if (!records.empty()) {
        connected_ = true;
        const int kind = manager.GetConnectionKind();
        if (kind == kConnectionNone) {
            view_.ShowNoDeviceView();
            view_.SetTitle(kTitleNoDevice);
            view_.ShowDeviceList(false);
            state_.SetMouseOnline(false);
        } else {
            view_.ShowDeviceView();
            view_.SetTitle(TitleFor(kind));
            state_.SetMouseOnline(true);
        }
        if (state_.MouseOnline()) view_.ShowDeviceList(true);
    } else {
        connected_ = false;
        state_.SetMouseOnline(false);
        view_.ShowNoDeviceView();
        view_.SetTitle(kTitleNoDevice);
        view_.ShowDeviceList(false);
    }

    view_.ClosePopups();
}

bool ConnectionState::OnDeviceChosen(int deviceType, const std::function<void(int)>& queueJob) {
    DeviceManager& manager = DeviceManager::Instance();
    if (!manager.IsTypePresent(deviceType)) {
        view_.ShowMessageBox(kTextMessageTitle, kTextDeviceNotPresent, 0);
        return false;
    }
    if (deviceType != currentType_.load()) ChangeCurrentDevice(deviceType);
    view_.SetTitle(TitleFor(manager.GetConnectionKind()));
    if (queueJob) queueJob(4);
    view_.ShowDeviceView();
    return true;
}

void ConnectionState::OnCommunicationFailure() {
    DeviceManager& manager = DeviceManager::Instance();
    if (manager.GetConnectionKind() != kConnectionReceiver) return;
    view_.ClosePopups();
    view_.SetDeviceState(currentType_.load(), 1, 1);
    if (state_.MouseOnline()) return;
    const int kind = manager.GetConnectionKind();
    view_.SetTitle(TitleFor(kind));
    view_.SetDeviceState(kReceiverEntryType, kind == kConnectionReceiver ? 1 : 0, 1);
    state_.SetMouseOnline(true);
}

}  // namespace vellomir
