#include "protocol/Notifications.h"

#include <chrono>
#include <thread>
#include <vector>

#include "common/Trace.h"
#include "device/DeviceManager.h"
#include "profiles/ConfigKeys.h"
#include "protocol/DpiTables.h"
#include "protocol/ProfileValues.h"
#include "protocol/ReadDeviceConfig.h"

namespace vellomir {

namespace {

constexpr std::size_t kReceiverReportBytes = 33;
constexpr auto kInfoRetryPause = std::chrono::milliseconds(500);

bool ReceiverWithHandle(const DeviceRecord& record) {
    return record.dev_mode == kModeReceiver && record.handle && record.handle->IsOpen();
}

// A receiver's link report: its record's link state, and on a mouse coming online its identity.
void ApplyLinkReport(const DeviceRecord& record, const Frame& report) {
    DeviceManager& manager = DeviceManager::Instance();
    int type = record.dev_type;
    int state = kLinkOffline;
    if (report[1] == 1) {
        state = kLinkOnline;
        manager.SetRecordLinkState(record.id, kLinkOnline);
        bool identified = manager.RequeryInfo(record.id);
        if (!identified) {
            std::this_thread::sleep_for(kInfoRetryPause);
            identified = manager.RequeryInfo(record.id);
        }
        if (identified) {
            // Another model may be paired with the receiver now.
            std::vector<DeviceRecord> records;
            manager.CollectRecords(false, records);
            for (const DeviceRecord& fresh : records) {
                if (fresh.id == record.id) type = fresh.dev_type;
            }
        }
    } else {
        manager.SetRecordLinkState(record.id, kLinkOffline);
    }
    manager.SetLinkState(type, record.dev_mode, state);
    manager.ClearCachedHandle();
}

void ApplyDpiReport(const ProtocolContext& context, std::uint8_t stages) {
    DeviceState& state = context.state;
    const int profile = state.CurrentProfile();
    const int count = stages & 0x0F;
    const int index = stages >> 4;
    if (count != state.ShownStageCount()) {
        WriteProfileInt(profile, config_key::kDpiFlag, count);
        WriteProfileInt(profile, config_key::kDpiCount, count);
        // Laying the stages out again shows the stored active stage.
        state.SetShownStageCount(count);
        state.SetShownStageIndex(ReadProfileInt(profile, config_key::kDpiIndex));
        context.view.ShowStageCount(count);
    }
    if (index != state.ShownStageIndex()) {
        WriteProfileInt(profile, config_key::kDpiIndex, index);
        state.SetShownStageIndex(index);
        const int dpi = ReadProfileInt(profile, config_key::DpiValue(index));
        context.view.ShowSelectedStage(index, DpiToSlider(state.SensorCode(), dpi));
        if (state.ShowDpiTips()) context.view.ShowDpiTip(dpi);
    }
}

void ApplyMouseOnline(const ProtocolContext& context, int type) {
    DeviceManager& manager = DeviceManager::Instance();
    context.state.SetMouseOnline(true);
    context.view.ShowDeviceView();
    const int mode = manager.GetConnectionKind() == kConnectionReceiver ? kModeReceiver : kModeCable;
    context.view.SetTitle(mode == kModeReceiver ? kTitleReceiver : kTitleCable);
    context.view.SetDeviceState(type, mode, kLinkOnline);
    manager.SetLinkState(type, mode, kLinkOnline);
    manager.ClearCachedHandle();
    context.view.RefreshPages();
    if (ReadDeviceConfig(context, DpiTableVariant::kLinkUp)) {
        context.view.RefreshPages();
        context.view.ShowVersions();
    }
}

void ApplyMouseOffline(const ProtocolContext& context, int type) {
    DeviceManager& manager = DeviceManager::Instance();
    context.state.SetMouseOnline(false);
    context.view.SetTitle(kTitleNoDevice);
    context.view.ShowNoDeviceView();
    context.view.SetDeviceState(type, kModeReceiver, kLinkOffline);
    manager.SetLinkState(type, kModeReceiver, kLinkOffline);
    manager.ClearCachedHandle();
    PollLinks(context);
    context.view.ClosePopupPanel();
    if (context.view.GetOnlineDevCount() < 1) {
        context.view.ShowNoDeviceControls();
    } else {
        context.view.ShowDeviceList(true);
    }
}

}  // namespace

int ReadNotification(Frame& buffer, const std::function<bool()>& stopEarly) {
    buffer.fill(0);
    DeviceManager& manager = DeviceManager::Instance();
    if (!manager.IsReady()) return 0;
    int type = manager.GetCurrentType();
    if (const std::optional<DeviceRecord> current = manager.GetCurrentRecord()) {
        for (int waited = 0; waited < kCurrentDeviceReadMs; waited += kPollSliceMs) {
            if (stopEarly && stopEarly()) break;
            if (current->handle->ReadTimeout(buffer.data(), buffer.size(), kPollSliceMs) != 0) break;
        }
        // A receiver that was opened while its mouse was away is current too; when its mouse comes
        // back, its info block must be fetched again or the mouse would still count as not linked.
        if (buffer[0] == kLinkReport && current->dev_mode == kModeReceiver) ApplyLinkReport(*current, buffer);
        return type;
    }
    // No current handle: the receiver's mouse is away. Listen on every receiver for its return.
    for (const DeviceRecord& record : manager.AllRecords()) {
        if (!ReceiverWithHandle(record)) continue;
        if (record.handle->ReadTimeout(buffer.data(), kReceiverReportBytes, kReceiverReadMs) < 1) continue;
        type = record.dev_type;
        if (buffer[0] == kLinkReport) ApplyLinkReport(record, buffer);
        break;
    }
    return type;
}

void PollNotification(const ProtocolContext& context) {
    Frame report{};
    const int type = ReadNotification(report, [&context] { return context.JobWaiting(); });
    if (report[0] != 0) {
        Trace("mouse notify data: %02X %02X %02X %02X %02X %02X", report[0], report[1], report[2], report[3],
              report[4], report[5]);
    }
    if (report[0] == kDpiReport) {
        ApplyDpiReport(context, report[1]);
    } else if (report[0] == kLinkReport) {
        context.view.ClosePopups();
        if (report[1] == 1) {
            ApplyMouseOnline(context, type);
        } else {
            ApplyMouseOffline(context, type);
        }
        if (report[2] != 0) context.view.SetBatteryInfo(report[2], report[3]);
    }
}

void PollLinks(const ProtocolContext&) {
    DeviceManager& manager = DeviceManager::Instance();
    std::vector<DeviceRecord> records;
    manager.CollectRecords(false, records);
    const int current = manager.GetCurrentType();
    for (const DeviceRecord& record : records) {
        if (record.dev_type != current || !ReceiverWithHandle(record)) continue;
        Frame report{};
        if (record.handle->ReadTimeout(report.data(), kReceiverReportBytes, kReceiverReadMs) < 1) continue;
        if (report[0] != kLinkReport) continue;
        manager.SetLinkState(record.dev_type, record.dev_mode,
                             report[1] == 1 ? kLinkOnline : kLinkPollOffline);
        manager.ClearCachedHandle();
    }
}

}  // namespace vellomir
