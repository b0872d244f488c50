#pragma once
// What the device procedures share with the pages, in one place that both threads may use: the
// worker writes it while running jobs and polling, the UI thread reads and writes it from the pages.
// Every member takes the object's mutex; nothing here talks to the device or the window.

#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "protocol/DpiTables.h"

namespace vellomir {

class DeviceState {
public:
    // The profile every page and job reads and writes; 0 until the profiles are loaded.
    int CurrentProfile() const;
    void SetCurrentProfile(int profile);

    // The lighting mode the lighting page shows (3 at start).
    int CurrentLightMode() const;
    void SetCurrentLightMode(int mode);

    // The stage count last laid out on the DPI page and the stage last selected or written.
    int ShownStageCount() const;
    void SetShownStageCount(int count);
    int ShownStageIndex() const;
    void SetShownStageIndex(int index);

    // Sensor of the current mouse (info byte 10) and the DPI range and slider that go with it.
    int SensorCode() const;
    SensorDpiRange DpiRange() const;
    void SetSensor(int sensorCode, const SensorDpiRange& range);

    // 7, 6, 5 or 4 (from info byte 11); decides which report rates the page offers.
    int ReportRateCapability() const;
    void SetReportRateCapability(int capability);

    // The key page's pending macro download: the key value of the button a macro was just bound to.
    void SetPendingMacro(int keyValue);
    int PendingMacroKey() const;
    bool PendingMacroFlag() const;
    // When the flag is set: clears it and the key, and returns the key unless it was -1. Nothing when
    // the flag was not set.
    std::optional<int> TakePendingMacro();

    // Info byte 14 of the current mouse: 0 when a receiver answers without its mouse.
    std::uint8_t MouseLinked() const;
    void SetMouseLinked(std::uint8_t linked);

    // Battery bytes A and B (info bytes 12 and 13), kept for the battery display.
    std::uint8_t BatteryA() const;
    std::uint8_t BatteryB() const;
    void SetBattery(std::uint8_t a, std::uint8_t b);

    // Set while a mouse is shown as usable (cable, receiver with its mouse, or after a failed exchange
    // switched the view to the receiver).
    bool MouseOnline() const;
    void SetMouseOnline(bool online);

    // The model's description enables the DPI tip.
    bool ShowDpiTips() const;
    void SetShowDpiTips(bool show);

    // The receiver's firmware version as last read ("%X%02X"); empty before.
    std::string ReceiverVersion() const;
    void SetReceiverVersion(std::string version);

    // The device types whose configuration was read from the mouse during this run. MarkTypeRead
    // returns false when the type was in the set already. The factory reset empties the set.
    bool MarkTypeRead(int deviceType);
    bool WasTypeRead(int deviceType) const;
    void ForgetReadTypes();

private:
    mutable std::mutex mutex_;
    int currentProfile_ = 0;
    int currentLightMode_ = 3;
    int shownStageCount_ = 0;
    int shownStageIndex_ = 0;
    int sensorCode_ = 0;
    SensorDpiRange dpiRange_ = SensorDpiRangeFor(0, DpiTableVariant::kNormal);
    int reportRateCapability_ = 4;
    int pendingMacroKey_ = -1;
    bool pendingMacroFlag_ = false;
    std::uint8_t mouseLinked_ = 0;
    std::uint8_t batteryA_ = 0;
    std::uint8_t batteryB_ = 0;
    bool mouseOnline_ = false;
    bool showDpiTips_ = false;
    std::string receiverVersion_;
    std::set<int> typesRead_;
};

}  // namespace vellomir
