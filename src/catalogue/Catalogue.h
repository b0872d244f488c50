#pragma once
// The catalogue file config.xml in the program folder: what the program is (name, version, links,
// languages) and which mouse models it supports with the USB identities under which each is found.
// The program never writes it. It is read twice: LoadAppIdentity at start-up for the name and the
// languages, LoadCatalogue when the main window starts for everything else.
//
// Elements are looked for in this order at each level, each search going on after the element found
// before it (an element placed before one already found is not seen): config { language.info { lan* },
// device { mouse* { mode* } }, software { website, feedback, qa, store, upgrade, copyright } }.

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/CatalogueEntry.h"
#include "catalogue/CatalogueViews.h"

namespace vellomir {

// The catalogue file below a program folder.
std::filesystem::path CatalogueFile(const std::filesystem::path& programFolder);

// Start-up read: empties the listed languages of AppIdentity, adds every `lan` value, and sets the
// device name from `software` `caption` when there is a `software` element. Returns false when the
// file could not be loaded or is not well-formed (nothing is then listed; the name stays).
bool LoadAppIdentity(const std::filesystem::path& programFolder);
bool LoadAppIdentity();  // from GetProgramFolder()

// The software links and texts the main window holds.
struct SoftwareInfo {
    std::string caption;
    std::string version;
    std::string website;
    std::string feedback;
    std::string qa;
    std::string store;
    std::string upgrade;  // base address of the update server
    std::string copyright;
    std::string title;  // "<text 17>: v<version>", empty without a software element
};

struct Catalogue {
    std::vector<CatalogueEntry> models;  // one per mouse, in file order, mode fields empty
    std::vector<CatalogueEntry> modes;   // one per mode, in file order, with its model's fields
    std::vector<CatalogueEntry> slots;   // the same entries as modes, for the connection state
    SoftwareInfo software;
};

// Where LoadCatalogue reports to; any of them may be null.
struct CatalogueTargets {
    DeviceListView* device_list = nullptr;
    TitleView* titles = nullptr;
    SupportedListSink* supported = nullptr;
};

// Full read. Empties the lists, the device list and the supported list, then fills them from the
// file. The title is built from text 17 of the current language below the same program folder. The
// image paths lie in `skinDeviceFolder` (the current skin's device/ folder). Returns false when the
// file could not be loaded or is not well-formed; everything then stays empty.
bool LoadCatalogue(Catalogue& catalogue, const std::filesystem::path& programFolder,
                   const std::filesystem::path& skinDeviceFolder, const CatalogueTargets& targets);
// The default skin's device folder below a program folder: skins/default/device/.
std::filesystem::path DefaultSkinDeviceFolder(const std::filesystem::path& programFolder);

// The first model whose device type equals `deviceType`; null when there is none.
const CatalogueEntry* FindModel(const Catalogue& catalogue, int deviceType);

// Empties the supported list and adds one identity per mode entry (the device worker refills the
// list this way before every full discovery).
void FillSupported(const std::vector<CatalogueEntry>& modes, SupportedListSink& sink);

}  // namespace vellomir
