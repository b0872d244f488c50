#include "profiles/ProfileFile.h"

#include "common/Text.h"
#include "profiles/ConfigKeys.h"
#include "profiles/Profiles.h"
#include "storage/ConfigDatabase.h"
#include "storage/ConfigStore.h"
#include "storage/KeyBindingStore.h"
#include "storage/LightStore.h"
#include "storage/ProfileStore.h"
#include "storage/StoreTransaction.h"
#include "xml/XmlDoc.h"

namespace vellomir {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// The children of `Mouse`, in file order; each carries the configuration value of the same key.
constexpr std::string_view kMouseKeys[] = {
    config_key::kButtonRespondTime, config_key::kReportRate, config_key::kSensorFlag,
    config_key::kLiftoffHeight,     config_key::kScrollFlag, config_key::kEsportsFlag,
    config_key::kSleepLight,        config_key::kMoveWakeup, config_key::kMoveCloseLight,
};

std::string DpiStageElement(int stage) {
    return StrFormat("DPI%d", stage + 1);
}
std::string ColorValueAttribute(int i) {
    return StrFormat("color_value%d", i + 1);
}
std::string Decimal(int value) {
    return StrFormat("%d", value);
}

// --- Export ---

std::optional<ProfileFileData> GatherProfile(int profile, const ProfileFileOptions& options) {
    // One consistent picture of the profile, even while the other thread writes to it.
    auto lock = ConfigDatabase::Instance().Lock();
    ProfileFileData data;
    std::string stored;
    if (!GetProfileName(profile, stored)) return std::nullopt;
    data.name = ProfileDisplayName(stored, options.profile_word);
    ListKeyBindings(profile, data.bindings);
    if (options.has_lighting) {
        ProfileFileData::Lighting lighting;
        lighting.active_mode = GetActiveLightMode(profile);
        ListLights(profile, lighting.items);
        data.lighting = std::move(lighting);
    }
    ProfileFileData::Dpi dpi;
    GetConfigValue(profile, config_key::kDpiFlag, dpi.flag);
    GetConfigValue(profile, config_key::kDpiIndex, dpi.index);
    GetConfigValue(profile, config_key::kDpiCount, dpi.count);
    for (int stage = 0; stage < kProfileFileDpiStages; ++stage) {
        ProfileFileData::DpiStage given;
        GetConfigValue(profile, config_key::DpiValue(stage), given.value);
        GetConfigValue(profile, config_key::DpiColor(stage), given.color);
        dpi.stages[stage] = std::move(given);
    }
    data.dpi = std::move(dpi);
    for (std::string_view key : kMouseKeys) {
        std::string value;
        GetConfigValue(profile, key, value);
        data.mouse.emplace_back(key, std::move(value));
    }
    return data;
}

using Attributes = std::vector<std::pair<std::string, std::string>>;

// Adds an element after the current one and sets its attributes in order.
bool Add(XmlDoc& doc, std::string_view name, const Attributes& attributes = {}) {
    if (!doc.AddElement(name)) return false;
    for (const auto& [key, value] : attributes)
        if (!doc.SetAttribute(key, value)) return false;
    return true;
}

bool BuildDocument(const ProfileFileData& data, XmlDoc& doc) {
    doc.SetText(kDeclaration);  // a declaration alone is not a document yet: false is expected
    if (!Add(doc, "profile") || !doc.EnterElement()) return false;
    if (!Add(doc, "profileinfo", {{"name", data.name}}) || !doc.EnterElement()) return false;

    if (!Add(doc, "keyitems") || !doc.EnterElement()) return false;
    for (const KeyBinding& b : data.bindings) {
        if (!Add(doc, "item",
                 {{"key_code", Decimal(b.key_code)},
                  {"macro_type", Decimal(b.macro_type)},
                  {"macro_value", Decimal(b.macro_value)},
                  {"macro_value2", Decimal(b.macro_value2)},
                  {"macro_value3", Decimal(b.macro_value3)},
                  {"macro_desc", b.macro_desc}}))
            return false;
    }
    if (!doc.LeaveElement()) return false;

    if (data.lighting) {
        if (!Add(doc, "Lightitems", {{"lightmode", Decimal(data.lighting->active_mode)}}) ||
            !doc.EnterElement())
            return false;
        for (const LightSetting& l : data.lighting->items) {
            Attributes attributes = {
                {"light_mode", Decimal(l.mode)},   {"brightness", Decimal(l.brightness)},
                {"speed", Decimal(l.speed)},       {"direction", Decimal(l.direction)},
                {"colorful", Decimal(l.colorful)}, {"colorindex", Decimal(l.colorindex)}};
            for (int i = 0; i < kLightColorValues; ++i)
                attributes.emplace_back(ColorValueAttribute(i), Decimal(l.color_value[i]));
            if (!Add(doc, "item", attributes)) return false;
        }
        if (!doc.LeaveElement()) return false;
    }

    if (data.dpi) {
        const ProfileFileData::Dpi& dpi = *data.dpi;
        if (!Add(doc, "Mouse_DPI",
                 {{"dpi_flag", dpi.flag}, {"dpi_index", dpi.index}, {"dpi_count", dpi.count}}) ||
            !doc.EnterElement())
            return false;
        for (int stage = 0; stage < kProfileFileDpiStages; ++stage) {
            if (!dpi.stages[stage]) continue;
            if (!Add(doc, DpiStageElement(stage),
                     {{"value", dpi.stages[stage]->value}, {"color", dpi.stages[stage]->color}}))
                return false;
        }
        if (!doc.LeaveElement()) return false;
    }

    if (!Add(doc, "Mouse") || !doc.EnterElement()) return false;
    for (const auto& [key, value] : data.mouse)
        if (!Add(doc, key, {{"value", value}})) return false;
    return doc.LeaveElement();
}

// --- Import ---

KeyBinding ReadBindingItem(const XmlDoc& doc) {
    KeyBinding b;
    b.key_code = ReadDecimal(doc.GetAttribute("key_code"));
    b.macro_type = ReadDecimal(doc.GetAttribute("macro_type"));
    b.macro_value = ReadDecimal(doc.GetAttribute("macro_value"));
    b.macro_value2 = ReadDecimal(doc.GetAttribute("macro_value2"));
    b.macro_value3 = ReadDecimal(doc.GetAttribute("macro_value3"));
    b.macro_desc = doc.GetAttribute("macro_desc");
    return b;
}

LightSetting ReadLightItem(const XmlDoc& doc) {
    LightSetting l;
    l.mode = ReadDecimal(doc.GetAttribute("light_mode"));
    l.brightness = ReadDecimal(doc.GetAttribute("brightness"));
    l.speed = ReadDecimal(doc.GetAttribute("speed"));
    l.direction = ReadDecimal(doc.GetAttribute("direction"));
    l.colorful = ReadDecimal(doc.GetAttribute("colorful"));
    l.colorindex = ReadDecimal(doc.GetAttribute("colorindex"));
    for (int i = 0; i < kLightColorValues; ++i)
        l.color_value[i] = ReadDecimal(doc.GetAttribute(ColorValueAttribute(i)));
    return l;
}

// Stores a file's content into `profile`; the caller holds the change open.
bool StoreProfile(const ProfileFileData& data, int profile, const std::string& name) {
    if (!name.empty() && !RenameProfile(profile, name)) return false;
    if (!DeleteKeyBindings(profile)) return false;
    for (KeyBinding binding : data.bindings) {
        binding.profile = profile;
        // A binding without values is the button's default: nothing is stored for it.
        if (binding.macro_value == 0 && binding.macro_value2 == 0) continue;
        if (SaveKeyBinding(binding) == 0) return false;
    }

    if (data.lighting) {
        LightSetting row;
        // Only a mode the profile has can become its active one; otherwise the profile keeps its own.
        if (GetLight(profile, data.lighting->active_mode, row) &&
            !SetActiveLightMode(profile, data.lighting->active_mode))
            return false;
        for (const LightSetting& item : data.lighting->items) {
            if (!GetLight(profile, item.mode, row)) continue;
            row.brightness = item.brightness;
            row.speed = item.speed;
            row.direction = item.direction;
            row.colorful = item.colorful;
            row.colorindex = item.colorindex;
            row.color_value = item.color_value;
            if (!UpdateLight(item.mode, row)) return false;
        }
    }

    bool ok = true;
    auto set = [&](std::string_view key, std::string_view value) {
        ok = SetConfigValue(profile, key, value) && ok;
    };
    if (data.dpi) {
        set(config_key::kDpiFlag, data.dpi->flag);
        set(config_key::kDpiIndex, data.dpi->index);
        set(config_key::kDpiCount, data.dpi->count);
        for (int stage = 0; stage < kProfileFileDpiStages; ++stage) {
            if (!data.dpi->stages[stage]) continue;
            set(config_key::DpiValue(stage), data.dpi->stages[stage]->value);
            set(config_key::DpiColor(stage), data.dpi->stages[stage]->color);
        }
    }
    for (const auto& [key, value] : data.mouse)
        set(key, value);
    return ok;
}

}  // namespace

bool ExportProfileFile(int profile, const std::filesystem::path& path, const ProfileFileOptions& options) {
    std::optional<ProfileFileData> data = GatherProfile(profile, options);
    if (!data) return false;
    XmlDoc doc;
    return BuildDocument(*data, doc) && doc.SaveFile(path);
}

ProfileFileRead ReadProfileFile(const std::filesystem::path& path, bool hasLighting) {
    ProfileFileRead read;
    XmlDoc doc;
    if (!doc.LoadFile(path) || !doc.IsWellFormed()) return read;
    read.status = ProfileFileStatus::NotAProfile;
    if (!doc.FindElement("profile") || !doc.EnterElement()) return read;
    if (!doc.FindElement("profileinfo")) return read;
    ProfileFileData& data = read.data;
    data.name = doc.GetAttribute("name");
    doc.EnterElement();

    if (doc.FindElement("keyitems") && doc.EnterElement()) {
        while (doc.FindElement("item"))
            data.bindings.push_back(ReadBindingItem(doc));
        doc.LeaveElement();
    }
    if (hasLighting && doc.FindElement("Lightitems")) {
        ProfileFileData::Lighting lighting;
        lighting.active_mode = ReadDecimal(doc.GetAttribute("lightmode"));
        if (doc.EnterElement()) {
            while (doc.FindElement("item"))
                lighting.items.push_back(ReadLightItem(doc));
            doc.LeaveElement();
        }
        data.lighting = std::move(lighting);
    }
    if (doc.FindElement("Mouse_DPI")) {
        ProfileFileData::Dpi dpi;
        dpi.flag = doc.GetAttribute("dpi_flag");
        dpi.index = doc.GetAttribute("dpi_index");
        dpi.count = doc.GetAttribute("dpi_count");
        if (doc.EnterElement()) {
            for (int stage = 0; stage < kProfileFileDpiStages; ++stage) {
                if (!doc.FindElement(DpiStageElement(stage))) continue;
                dpi.stages[stage] =
                    ProfileFileData::DpiStage{doc.GetAttribute("value"), doc.GetAttribute("color")};
            }
            doc.LeaveElement();
        }
        data.dpi = std::move(dpi);
    }
    if (doc.FindElement("Mouse") && doc.EnterElement()) {
        for (std::string_view key : kMouseKeys)
            if (doc.FindElement(key)) data.mouse.emplace_back(key, doc.GetAttribute("value"));
        doc.LeaveElement();
    }
    read.status = ProfileFileStatus::Ok;
    return read;
}

std::string ProfileNameFromFile(const std::filesystem::path& path) {
    std::string name = path.filename().string();
    // Drop the last four characters, counting whole UTF-8 characters.
    std::size_t end = name.size();
    for (int dropped = 0; dropped < 4 && end > 0; ++dropped) {
        do {
            --end;
        } while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80);
    }
    name.resize(end);
    return name;
}

ProfileImportResult ImportProfileFile(const std::filesystem::path& path, int profile,
                                      const ProfileFileOptions& options,
                                      const std::function<void()>& requestProfileWrite) {
    ProfileImportResult result;
    ProfileFileRead read = ReadProfileFile(path, options.has_lighting);
    result.status = read.status;
    if (read.status != ProfileFileStatus::Ok) return result;

    const std::string name = ProfileNameFromFile(path);
    {
        StoreTransaction change;
        std::string current;
        if (!GetProfileName(profile, current) || !StoreProfile(read.data, profile, name) ||
            !change.Commit()) {
            result.status = ProfileFileStatus::StoreFailed;
            return result;
        }
        result.profile_name = name.empty() ? current : name;
    }
    if (requestProfileWrite) requestProfileWrite();
    return result;
}

}  // namespace vellomir
