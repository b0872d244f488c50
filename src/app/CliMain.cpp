// vellomir-cli: a small command-line front end. It reads the catalogue from the program folder and
// prints the program's name and version and every supported model with its connection modes.

#include <cstdio>

#include "app/AppIdentity.h"
#include "app/Folders.h"
#include "app/Languages.h"
#include "catalogue/Catalogue.h"

namespace {

const char* ModeName(int value) {
    switch (value) {
        case 0:
            return "cable";
        case 1:
            return "receiver";
        default:
            return "other";
    }
}

}  // namespace

int main() {
    using namespace vellomir;
    const std::filesystem::path folder = GetProgramFolder();
    if (!LoadAppIdentity(folder)) {
        std::fprintf(stderr, "No usable catalogue at %s\n", CatalogueFile(folder).c_str());
        return 1;
    }
    Catalogue catalogue;
    LoadCatalogue(catalogue, folder, DefaultSkinDeviceFolder(folder), {});

    std::printf("%s %s\n", AppIdentity::Instance().DeviceName().c_str(), catalogue.software.version.c_str());
    std::printf("Program folder: %s\n", folder.c_str());
    std::printf("Languages:");
    for (const LanguageName& language : OfferedLanguages(AppIdentity::Instance().ListedLanguages())) {
        std::printf(" %d (%s)", language.lcid, language.name);
    }
    std::printf("\nModels: %zu\n", catalogue.models.size());
    for (const CatalogueEntry& model : catalogue.models) {
        std::printf("  %s  device type %d, description %s\n", model.name.c_str(), model.device_type,
                    model.description_stem.c_str());
        for (const CatalogueEntry& mode : catalogue.modes) {
            if (mode.device_type != model.device_type || mode.name != model.name) continue;
            std::printf("    mode %d (%s): %04X:%04X device id %s%s%s\n", mode.mode_value,
                        ModeName(mode.mode_value), static_cast<unsigned>(mode.vendor_id) & 0xFFFF,
                        static_cast<unsigned>(mode.product_id) & 0xFFFF, mode.device_id.c_str(),
                        mode.interface_text.empty() ? "" : ", interface ", mode.interface_text.c_str());
        }
    }
    return 0;
}
