#include "catalogue/Catalogue.h"

#include "app/AppIdentity.h"
#include "app/Folders.h"
#include "app/LanguageTexts.h"
#include "app/Languages.h"
#include "common/Text.h"
#include "common/Trace.h"
#include "xml/XmlDoc.h"

namespace vellomir {

namespace fs = std::filesystem;

namespace {

constexpr int kVersionPrefixText = 17;

std::int32_t DecimalAttribute(const XmlDoc& doc, std::string_view name) {
    return ReadDecimal(doc.GetAttribute(name));
}

// Loads the file and steps into `config`; false when the file is unusable.
bool OpenCatalogue(XmlDoc& doc, const fs::path& programFolder) {
    const fs::path file = CatalogueFile(programFolder);
    if (!doc.LoadFile(file)) {
        Trace("catalogue %s not loaded", file.c_str());
        return false;
    }
    return doc.FindElement("config") && doc.EnterElement();
}

// Reads the `url` of the next `name` element, leaving `out` as it is when there is none.
void ReadLink(XmlDoc& doc, std::string_view name, std::string_view attribute, std::string& out) {
    if (doc.FindElement(name)) out = doc.GetAttribute(attribute);
}

// Attributes of a mode are read into the entry only when they hold text: the entry is reused from
// mode to mode, so an attribute a mode leaves out keeps the value of the mode before it.
void ReadInto(const XmlDoc& doc, std::string_view name, std::string& field) {
    if (std::string text = doc.GetAttribute(name); !text.empty()) field = std::move(text);
}

void ReadInto(const XmlDoc& doc, std::string_view name, std::int32_t& field, bool hex) {
    std::string text = doc.GetAttribute(name);
    if (text.empty()) return;
    field = hex ? static_cast<std::int32_t>(ReadHex(text)) : ReadDecimal(text);
}

void ReadModes(XmlDoc& doc, CatalogueEntry& entry, Catalogue& catalogue, SupportedListSink* supported) {
    while (doc.FindElement("mode")) {
        ReadInto(doc, "value", entry.mode_value, false);
        ReadInto(doc, "desc", entry.mode_description);
        ReadInto(doc, "vid", entry.vendor_id, true);
        ReadInto(doc, "pid", entry.product_id, true);
        ReadInto(doc, "dev_id", entry.device_id);
        ReadInto(doc, "hid_interface", entry.interface_text);
        catalogue.modes.push_back(entry);
        catalogue.slots.push_back(entry);
        if (supported != nullptr) {
            supported->AddSupported(entry.vendor_id, entry.product_id, entry.device_type, entry.mode_value,
                                    entry.device_id);
        }
    }
}

void ReadModels(XmlDoc& doc, const fs::path& skinDeviceFolder, Catalogue& catalogue,
                const CatalogueTargets& targets) {
    while (doc.FindElement("mouse")) {
        CatalogueEntry entry;
        entry.name = doc.GetAttribute("name");
        entry.device_type = DecimalAttribute(doc, "device_type");
        entry.description_stem = doc.GetAttribute("device_attr");
        entry.image_path = skinDeviceFolder / doc.GetAttribute("image");
        catalogue.models.push_back(entry);
        if (targets.device_list != nullptr) {
            targets.device_list->AddDevice(entry.name, entry.device_type, entry.image_path);
        }
        if (doc.EnterElement()) {
            ReadModes(doc, entry, catalogue, targets.supported);
            doc.LeaveElement();
        }
    }
}

void ReadSoftware(XmlDoc& doc, const fs::path& programFolder, SoftwareInfo& software, TitleView* titles) {
    software.caption = doc.GetAttribute("caption");
    software.version = doc.GetAttribute("version");
    const std::string prefix = ReadLanguageText(programFolder, CurrentLanguage(), kVersionPrefixText);
    software.title = prefix + ": v" + software.version;
    if (titles != nullptr) titles->SetTitles(software.title);
    if (!doc.EnterElement()) return;
    ReadLink(doc, "website", "url", software.website);
    ReadLink(doc, "feedback", "url", software.feedback);
    ReadLink(doc, "qa", "url", software.qa);
    ReadLink(doc, "store", "url", software.store);
    ReadLink(doc, "upgrade", "url", software.upgrade);
    ReadLink(doc, "copyright", "info", software.copyright);
    doc.LeaveElement();
}

}  // namespace

fs::path CatalogueFile(const fs::path& programFolder) {
    return programFolder / "config.xml";
}

bool LoadAppIdentity(const fs::path& programFolder) {
    AppIdentity& identity = AppIdentity::Instance();
    identity.ClearLanguages();
    XmlDoc doc;
    if (!OpenCatalogue(doc, programFolder)) return false;
    if (doc.FindElement("language.info") && doc.EnterElement()) {
        while (doc.FindElement("lan"))
            identity.AddLanguage(DecimalAttribute(doc, "value"));
        doc.LeaveElement();
    }
    if (doc.FindElement("software")) identity.SetDeviceName(doc.GetAttribute("caption"));
    return true;
}

bool LoadAppIdentity() {
    return LoadAppIdentity(GetProgramFolder());
}

fs::path DefaultSkinDeviceFolder(const fs::path& programFolder) {
    return programFolder / "skins" / "default" / "device";
}

bool LoadCatalogue(Catalogue& catalogue, const fs::path& programFolder, const fs::path& skinDeviceFolder,
                   const CatalogueTargets& targets) {
    catalogue = Catalogue{};
    if (targets.device_list != nullptr) targets.device_list->ClearList();
    if (targets.supported != nullptr) targets.supported->ClearSupported();

    XmlDoc doc;
    if (!OpenCatalogue(doc, programFolder)) return false;
    if (doc.FindElement("device") && doc.EnterElement()) {
        ReadModels(doc, skinDeviceFolder, catalogue, targets);
        doc.LeaveElement();
    }
    if (doc.FindElement("software")) ReadSoftware(doc, programFolder, catalogue.software, targets.titles);
    return true;
}

const CatalogueEntry* FindModel(const Catalogue& catalogue, int deviceType) {
    for (const CatalogueEntry& model : catalogue.models) {
        if (model.device_type == deviceType) return &model;
    }
    return nullptr;
}

void FillSupported(const std::vector<CatalogueEntry>& modes, SupportedListSink& sink) {
    sink.ClearSupported();
    for (const CatalogueEntry& mode : modes) {
        sink.AddSupported(mode.vendor_id, mode.product_id, mode.device_type, mode.mode_value, mode.device_id);
    }
}

}  // namespace vellomir
