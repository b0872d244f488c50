#pragma once
// The configuration keys of a profile and the default set every new profile receives. Values are
// texts: integers in decimal, flags "0"/"1", colours as the decimal of 0x00BBGGRR (red in the low byte).

#include <span>
#include <string>
#include <string_view>

#include "storage/ConfigStore.h"

namespace vellomir::config_key {

inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kSleepLight = "sleep_light";
inline constexpr std::string_view kMoveWakeup = "move_wakeup";
inline constexpr std::string_view kMoveCloseLight = "move_closelight";
inline constexpr std::string_view kLiftoffHeight = "liftoff_height";
inline constexpr std::string_view kReportRate = "report_rate";
inline constexpr std::string_view kReportRateWireless = "report_rate_wireless";
inline constexpr std::string_view kReportCount = "report_count";
inline constexpr std::string_view kReportFlag = "report_flag";
inline constexpr std::string_view kButtonRespondTime = "button_respondtime";
inline constexpr std::string_view kSensorFlag = "sensor_flag";
inline constexpr std::string_view kScrollFlag = "scroll_flag";
inline constexpr std::string_view kEsportsFlag = "e-sports_flag";
inline constexpr std::string_view kLeftButtonLock = "leftbtn_lock";
inline constexpr std::string_view kDpiFlag = "dpi_flag";
inline constexpr std::string_view kDpiIndex = "dpi_index";
inline constexpr std::string_view kDpiCount = "dpi_count";
inline constexpr std::string_view kMouseSpeed = "mouse_speed";
inline constexpr std::string_view kMouseSensitivity = "mouse_sensitivity";
inline constexpr std::string_view kWheelScrollFlag = "wheel_scrollflag";
inline constexpr std::string_view kWheelScrollLines = "wheel_scrolllines";
inline constexpr std::string_view kDoubleClickTime = "doubleclick_time";

// DPI stages: values for stages 0 to 7, colours for stages 0 to 8.
inline constexpr int kDpiValueStages = 8;
inline constexpr int kDpiColorStages = 9;
// "dpi_group<stage>_value" and "dpi_group<stage>_rgb", stage counted from 0.
std::string DpiValue(int stage);
std::string DpiColor(int stage);

}  // namespace vellomir::config_key

namespace vellomir {

// The 39 rows a new profile receives, in insertion order.
std::span<const ConfigEntry> DefaultConfig();

// Inserts the default rows for `profile`. True when every row went in.
bool InsertDefaultConfig(int profile);

}  // namespace vellomir
