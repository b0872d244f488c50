#include "catalogue/DeviceDescription.h"

#include "xml/XmlDoc.h"

namespace vellomir {

std::filesystem::path DescriptionPath(const std::filesystem::path& programFolder, const std::string& stem) {
    return programFolder / "device" / (stem + ".xml");
}

std::optional<ModelDescription> ReadModelDescription(const std::filesystem::path& file) {
    (void)file;
    return std::nullopt;
}

std::optional<DeviceDefaults> ReadDeviceDefaults(const std::filesystem::path& file) {
    (void)file;
    return std::nullopt;
}

std::optional<std::string> ReadReportRateDefault(const std::filesystem::path& file) {
    (void)file;
    return std::nullopt;
}

std::optional<DeviceDescription> ReadDeviceDescription(const std::filesystem::path& file) {
    (void)file;
    return std::nullopt;
}

}  // namespace vellomir
