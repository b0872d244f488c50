#include "catalogue/ModelState.h"
#include "storage/ConfigDatabase.h"
#include "storage/ConfigStore.h"
#include "storage/StoreTransaction.h"

namespace vellomir {

ActivationResult ActivateModel(int deviceType, const CatalogueEntry* entry,
                               const std::filesystem::path& programFolder,
                               const std::filesystem::path& userDataFolder, ModelState& state,
                               ModelView& view) {
    ActivationResult result;
    state.model_name = entry != nullptr ? entry->name : std::string();
    state.description_stem = entry != nullptr ? entry->description_stem : std::string();

    ConfigDatabase& database = ConfigDatabase::Instance();
    {
        auto lock = database.Lock();
        database.CloseIfOpen();
        result.database_open = database.OpenForDevice(userDataFolder, state.description_stem);
    }
    state.device_type = deviceType;

    const auto description = ReadModelDescription(DescriptionPath(programFolder, state.description_stem));
    if (!description) return result;
    result.description_read = true;
    ApplyModelDescription(*description, state);
    ShowModelDescription(*description, view);
    return result;
}

std::optional<std::string> RestoreReportRateDefault(const std::filesystem::path& descriptionFile,
                                                    int profile) {
    auto rate = ReadReportRateDefault(descriptionFile);
    if (!rate) return std::nullopt;
    // Both keys or neither, so the two rates never disagree after a failed write.
    StoreTransaction change;
    if (!SetConfigValue(profile, "report_rate", *rate) ||
        !SetConfigValue(profile, "report_rate_wireless", *rate) || !change.Commit()) {
        return std::nullopt;
    }
    return rate;
}

}  // namespace vellomir
