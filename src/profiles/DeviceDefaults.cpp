#include "profiles/DeviceDefaults.h"

#include "common/Text.h"
#include "profiles/ConfigKeys.h"
#include "profiles/HexColor.h"
#include "storage/ConfigStore.h"
#include "storage/StoreTransaction.h"

namespace vellomir {

bool ApplyDeviceDefaults(int profile, const DeviceDefaults& defaults, bool dpiOnly) {
    if (!defaults.has_mouse_info) return true;
    StoreTransaction change;
    bool ok = true;
    auto set = [&](std::string_view key, std::string_view value) {
        ok = SetConfigValue(profile, key, value) && ok;
    };

    if (defaults.dpi) {
        const DpiDefaults& dpi = *defaults.dpi;
        set(config_key::kDpiIndex, dpi.default_dpi);
        set(config_key::kDpiFlag, dpi.dpi_count);
        set(config_key::kDpiCount, dpi.dpi_count);
        for (int stage = 0; stage < kDescriptionDpiStages; ++stage) {
            const auto& given = dpi.stages[stage];
            if (!given) continue;
            set(config_key::DpiValue(stage), given->value);
            set(config_key::DpiColor(stage), StrFormat("%d", ParseHexColor(given->color)));
        }
    }
    if (!dpiOnly) {
        const std::pair<std::string_view, const std::optional<std::string>*> others[] = {
            {config_key::kReportRate, &defaults.report_rate},
            {config_key::kSleepLight, &defaults.sleep_light},
            {config_key::kMoveWakeup, &defaults.move_wakeup},
            {config_key::kMoveCloseLight, &defaults.move_closelight},
            {config_key::kLiftoffHeight, &defaults.lod},
        };
        for (const auto& [key, value] : others)
            if (*value) set(key, **value);
    }
    return ok && change.Commit();
}

bool ApplyDeviceDefaults(int profile, const std::filesystem::path& descriptionFile, bool dpiOnly) {
    std::optional<DeviceDefaults> defaults = ReadDeviceDefaults(descriptionFile);
    if (!defaults) return false;
    return ApplyDeviceDefaults(profile, *defaults, dpiOnly);
}

}  // namespace vellomir
