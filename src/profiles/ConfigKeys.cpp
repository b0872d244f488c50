#include "profiles/ConfigKeys.h"

#include "common/Text.h"

namespace vellomir {

namespace config_key {

std::string DpiValue(int stage) {
    return StrFormat("dpi_group%d_value", stage);
}
std::string DpiColor(int stage) {
    return StrFormat("dpi_group%d_rgb", stage);
}

}  // namespace config_key

namespace {

using namespace config_key;

constexpr ConfigEntry kDefaults[] = {
    {kVersion, "1.0.1"},
    {kSleepLight, "1"},
    {kMoveWakeup, "0"},
    {kMoveCloseLight, "1"},
    {kLiftoffHeight, "1"},
    {kReportRate, "2"},  // 500 Hz
    {kReportRateWireless, "1"},
    {kReportCount, "4"},
    {kReportFlag, "127"},
    {kButtonRespondTime, "8"},
    {kSensorFlag, "53"},
    {kScrollFlag, "1"},
    {kEsportsFlag, "0"},
    {kLeftButtonLock, "1"},
    {kDpiFlag, "6"},
    {kDpiIndex, "1"},
    {kDpiCount, "6"},
    {"dpi_group0_value", "800"},
    {"dpi_group1_value", "1600"},
    {"dpi_group2_value", "2400"},
    {"dpi_group3_value", "3200"},
    {"dpi_group4_value", "6400"},
    {"dpi_group5_value", "26000"},
    {"dpi_group6_value", "26000"},
    {"dpi_group7_value", "0"},
    {"dpi_group0_rgb", "255"},       // red
    {"dpi_group1_rgb", "16711680"},  // blue
    {"dpi_group2_rgb", "65280"},     // green
    {"dpi_group3_rgb", "65535"},     // yellow
    {"dpi_group4_rgb", "16711935"},  // magenta
    {"dpi_group5_rgb", "16776960"},  // cyan
    {"dpi_group6_rgb", "16712191"},  // magenta with a touch of green
    {"dpi_group7_rgb", "16777215"},  // white
    {"dpi_group8_rgb", "2139135"},   // orange
    {kMouseSpeed, "10"},
    {kMouseSensitivity, "1"},
    {kWheelScrollFlag, "0"},
    {kWheelScrollLines, "3"},
    {kDoubleClickTime, "550"},
};
static_assert(std::size(kDefaults) == 39);

}  // namespace

std::span<const ConfigEntry> DefaultConfig() {
    return kDefaults;
}

bool InsertDefaultConfig(int profile) {
    return InsertConfigRows(profile, DefaultConfig());
}

}  // namespace vellomir
