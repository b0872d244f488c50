#include "catalogue/DeviceDescription.h"

#include "common/Text.h"
#include "xml/XmlDoc.h"

namespace vellomir {

namespace {

bool ReadFlag(const XmlDoc& doc, std::string_view name) {
    return ReadDecimal(doc.GetAttribute(name)) == 1;
}

// Loads the file and steps into its `mouse` element. False when the file does not load; a file without
// `mouse` still loads, but the cursor then stays at the document level and later searches find nothing.
bool OpenMouse(XmlDoc& doc, const std::filesystem::path& file, bool& hasMouse) {
    if (!doc.LoadFile(file)) return false;
    hasMouse = doc.FindElement("mouse") && doc.EnterElement();
    return true;
}

std::vector<DescriptionKey> ReadKeys(XmlDoc& doc) {
    std::vector<DescriptionKey> keys;
    if (!doc.EnterElement()) return keys;
    while (doc.FindElement("key")) {
        DescriptionKey key;
        key.name = doc.GetAttribute("name");
        key.key_value = ReadDecimal(doc.GetAttribute("key_value"));
        key.direction = ReadDecimal(doc.GetAttribute("direction"));
        key.rect = ParseKeyRect(doc.GetAttribute("rect"));
        key.func_desc = doc.GetAttribute("func_desc");
        key.func_type = ReadDecimal(doc.GetAttribute("func_type"));
        key.func_value = ReadDecimal(doc.GetAttribute("func_value"));
        keys.push_back(std::move(key));
    }
    doc.LeaveElement();
    return keys;
}

void ReadLightInfo(XmlDoc& doc, ModelDescription& out) {
    if (!doc.FindElement("light_info") || !doc.EnterElement()) return;
    for (int i = 0; i < kDescriptionLightEffects; ++i) {
        if (doc.FindElement(StrFormat("light_%d", i + 1))) out.light_effects[i] = ReadFlag(doc, "enable");
    }
    doc.LeaveElement();
}

ModelDescription ReadModelPart(XmlDoc& doc) {
    ModelDescription out;
    if (doc.FindElement("image_file")) out.mouse_img = doc.GetAttribute("mouse_img");
    if (doc.FindElement("menu")) out.lighting_page = ReadFlag(doc, "light");
    if (doc.FindElement("custom")) {
        DescriptionCustom custom;
        custom.show_dpitips = ReadFlag(doc, "show_dpitips");
        custom.show_savetips = ReadFlag(doc, "show_savetips");
        custom.show_lod = ReadFlag(doc, "show_lod");
        custom.show_sensor = ReadFlag(doc, "show_sensor");
        out.custom = custom;
    }
    if (doc.FindElement("firmware")) out.firmware_url = doc.GetAttribute("url");
    if (doc.FindElement("mouse_key")) out.keys = ReadKeys(doc);
    if (doc.FindElement("mouse_info") && doc.EnterElement()) {
        ReadLightInfo(doc, out);
        doc.LeaveElement();
    }
    return out;
}

std::optional<std::string> ReadValueOf(XmlDoc& doc, std::string_view element, std::string_view attribute) {
    if (!doc.FindElement(element)) return std::nullopt;
    return doc.GetAttribute(attribute);
}

DpiDefaults ReadDpiInfo(XmlDoc& doc) {
    DpiDefaults dpi;
    dpi.default_dpi = doc.GetAttribute("default_dpi");
    dpi.dpi_count = doc.GetAttribute("dpi_count");
    if (doc.EnterElement()) {
        for (int i = 0; i < kDescriptionDpiStages; ++i) {
            if (!doc.FindElement(StrFormat("dpi_%d", i + 1))) continue;
            dpi.stages[i] = DpiStageDefault{doc.GetAttribute("value"), doc.GetAttribute("color")};
        }
        doc.LeaveElement();
    }
    return dpi;
}

DeviceDefaults ReadDefaultsPart(XmlDoc& doc) {
    DeviceDefaults out;
    if (!doc.FindElement("mouse_info") || !doc.EnterElement()) return out;
    out.has_mouse_info = true;
    if (doc.FindElement("dpi_info")) out.dpi = ReadDpiInfo(doc);
    out.report_rate = ReadValueOf(doc, "report_rate", "default_value");
    out.sleep_light = ReadValueOf(doc, "sleep_light", "value");
    out.move_wakeup = ReadValueOf(doc, "move_wakeup", "value");
    out.move_closelight = ReadValueOf(doc, "move_closelight", "value");
    out.lod = ReadValueOf(doc, "lod", "value");
    doc.LeaveElement();
    return out;
}

std::optional<std::string> ReadReportRatePart(XmlDoc& doc, bool hasMouse) {
    if (!hasMouse || !doc.FindElement("mouse_info") || !doc.EnterElement()) return std::nullopt;
    auto value = ReadValueOf(doc, "report_rate", "default_value");
    doc.LeaveElement();
    return value;
}

// Puts the cursor back inside `mouse` with no current element, as a fresh walk would have it.
bool ReenterMouse(XmlDoc& doc) {
    doc.ResetPos();
    return doc.FindElement("mouse") && doc.EnterElement();
}

}  // namespace

std::filesystem::path DescriptionPath(const std::filesystem::path& programFolder, const std::string& stem) {
    return programFolder / "device" / (stem + ".xml");
}

std::optional<ModelDescription> ReadModelDescription(const std::filesystem::path& file) {
    XmlDoc doc;
    bool hasMouse = false;
    if (!OpenMouse(doc, file, hasMouse)) return std::nullopt;
    if (!hasMouse) return ModelDescription{};
    return ReadModelPart(doc);
}

std::optional<DeviceDefaults> ReadDeviceDefaults(const std::filesystem::path& file) {
    XmlDoc doc;
    bool hasMouse = false;
    if (!OpenMouse(doc, file, hasMouse)) return std::nullopt;
    if (!hasMouse) return DeviceDefaults{};
    return ReadDefaultsPart(doc);
}

std::optional<std::string> ReadReportRateDefault(const std::filesystem::path& file) {
    XmlDoc doc;
    bool hasMouse = false;
    if (!OpenMouse(doc, file, hasMouse)) return std::nullopt;
    return ReadReportRatePart(doc, hasMouse);
}

std::optional<DeviceDescription> ReadDeviceDescription(const std::filesystem::path& file) {
    XmlDoc doc;
    bool hasMouse = false;
    if (!OpenMouse(doc, file, hasMouse)) return std::nullopt;
    DeviceDescription out;
    if (!hasMouse) return out;
    out.model = ReadModelPart(doc);
    if (ReenterMouse(doc)) out.defaults = ReadDefaultsPart(doc);
    if (ReenterMouse(doc)) out.report_rate_default = ReadReportRatePart(doc, true);
    return out;
}

}  // namespace vellomir
