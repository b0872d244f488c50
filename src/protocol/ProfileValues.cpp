#include "protocol/ProfileValues.h"

#include "common/Text.h"
#include "storage/ConfigStore.h"

namespace vellomir {

int ReadProfileInt(int profile, std::string_view key) {
    std::string text;
    GetConfigValue(profile, key, text);
    return ReadDecimal(text);
}

bool WriteProfileInt(int profile, std::string_view key, int value) {
    return SetConfigValue(profile, key, StrFormat("%d", value));
}

std::string StageValueKey(int stage) {
    return StrFormat("dpi_group%d_value", stage);
}
std::string StageColourKey(int stage) {
    return StrFormat("dpi_group%d_rgb", stage);
}

}  // namespace vellomir
