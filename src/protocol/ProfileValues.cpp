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

}  // namespace vellomir
