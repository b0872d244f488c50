#pragma once
// The settings of one lighting mode in one profile (a row of t_light_data).

#include <array>
#include <string>

namespace vellomir {

inline constexpr int kLightColorValues = 7;

struct LightSetting {
    int light_id = 0;  // row id
    int profile = 0;
    std::string name;
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    std::array<int, kLightColorValues> color_value{};  // color_value1 .. color_value7
    int config_func = 0;
    int reserved = 0;
    int status = 0;  // 1 for the profile's active mode
    bool operator==(const LightSetting&) const = default;
};

}  // namespace vellomir
